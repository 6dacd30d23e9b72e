#include "spots/AgwFeed.h"

#include "logging/Text.h"
#include "spots/AgwTraffic.h"

namespace spots {

using logging::Trim;

AgwFeed::AgwFeed(SpotFeedHost& host, platform::Services& services, std::function<AgwEngineAddress()> engine)
    : host_(host), dialogs_(services.dialogs), engine_(std::move(engine)), agw_(services.tcp, services.scheduler) {
    AgwLink::Events events;
    events.started = [this] {
        host_.startTick();
        host_.note("\r\n** Successfully connected to AGW Packet Engine **\r\n\r\n");
    };
    events.startFailed = [this](const std::string& why) { agwStartFailed(why); };
    events.lost = [this](const std::string& why) {
        host_.note("\r\n** " + why + " **\r\n");
        host_.closePort();
        dialogs_.beep();
    };
    events.notice = [this](const std::string& text) { host_.note(text + "\r\n"); };
    agw_.setEvents(std::move(events));
}

void AgwFeed::StartAGW(const std::string& stationCall, const std::string& title) {
    const std::string call = Trim(stationCall);
    if (call.empty()) {
        dialogs_.beep();
        dialogs_.messageBox("Please enter your call sign on the setup form to transmit!", platform::MsgButtons::OK,
                            platform::MsgIcon::None, "Call Sign Required!");
        // The engine is not contacted: "Listening" ends and the display says why.
        host_.note("** No call sign in the station setup: the AGW Packet Engine was not contacted **\r\n");
        host_.closePort();
        return;
    }
    agw_.Close();
    agw_.StartPoll(engine_(), call, Trim(title.substr(0, 50)));
}

void AgwFeed::agwStartFailed(const std::string& why) {
    dialogs_.messageBox(AgwFailMessage(), platform::MsgButtons::OK, platform::MsgIcon::None, kAgwFailTitle);
    host_.stopListening();
    host_.note(AgwFailInstructions() + "** " + why + " **\r\n\r\n");
    host_.comeIntoView();
    host_.closePort();
    host_.stopTick();
}

void AgwFeed::PollAGW() {
    // Every frame that has arrived is handled, not one a tick.
    while (auto frame = agw_.GetData()) {
        const AgwFrameOutcome out = DecideAgwFrame({*frame, connectedStation_, host_.dxOnly()});
        if (out.toReceiver) host_.received(*out.toReceiver);
        if (out.show) host_.note(*out.show);
        for (int i = 0; i < out.beeps; ++i) dialogs_.beep();
        if (!out.notice.empty()) host_.note(out.notice);
        if (out.caption) host_.setCaption(*out.caption);
        if (out.connectedStation) connectedStation_ = *out.connectedStation;
    }
}

void AgwFeed::send(const std::string& line) {
    if (host_.tickRunning()) SendAGW(line);
}

void AgwFeed::SendAGW(const std::string& text) {
    const AgwSendPlan plan = PlanAgwSend(text, connectedStation_);
    if (plan.message)
        dialogs_.messageBox(plan.message->first, platform::MsgButtons::OK, platform::MsgIcon::None,
                            plan.message->second);
    for (const auto& f : plan.frames) agw_.PutData(f.toCall, f.data, f.kind);
}

void AgwFeed::close() {
    if (!connectedStation_.empty()) {
        agw_.PutData(connectedStation_, "", 'd');
        host_.setCaption("DX Spotting Setup");
        connectedStation_.clear();
    }
    agw_.Close();
}

void AgwFeed::Unload(bool chosen) {
    if (!connectedStation_.empty()) agw_.PutData(connectedStation_, "", 'd');
    if (chosen) agw_.Close();
}

}  // namespace spots
