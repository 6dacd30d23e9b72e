#include "spots/AgwTraffic.h"

#include <cctype>

#include "logging/Text.h"
#include "spots/SpotSetupRules.h"

namespace spots {

namespace {
std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool beginsWithDx(const std::string& s) { return s.size() >= 2 && lower(s.substr(0, 2)) == "dx"; }

bool endsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}
}  // namespace

std::string AgwLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 16);
    for (char c : text) {
        if (c == '\r' || c == '\n') out += "\r\n";
        else out.push_back(c);
    }
    return out;
}

AgwFrameOutcome DecideAgwFrame(const AgwFrameInput& in) {
    AgwFrameOutcome out;
    const AgwIncoming& f = in.frame;
    const bool connected = !in.connectedStation.empty();
    const std::string frameText = AgwLineEnds(std::string(1, f.kind) + f.fromCall + " " + f.data);
    std::string shown = AgwLineEnds(f.data);
    if (!connected) {
        // A monitored frame starts with the engine's header line ("1:Fm W1AW To DX <UI ...>").
        const size_t lf = shown.find('\n');
        if (lf != std::string::npos) shown.erase(0, lf + 1);
        shown = logging::Trim(shown);
    }
    if (shown == "\r\n") shown.clear();
    else if (shown.size() > 4 && endsWith(shown, "\r\n\r\n")) shown.erase(shown.size() - 2);

    const size_t dx = lower(shown).find("dx");
    if (dx == 0 || dx == 1) {
        std::string line = shown;
        if (!endsWith(line, "\r\n") && !endsWith(line, "\n")) line += "\r\n";
        out.toReceiver = line;
    }
    if (connected && lower(f.fromCall) == lower(in.connectedStation) && !in.listDxOnly && !beginsWithDx(shown)) {
        out.show = shown;
    }
    if (!connected && !in.listDxOnly && lower(frameText).find("dx ") == std::string::npos && !beginsWithDx(shown)) {
        out.show = shown;
    }

    if (f.kind == 'd' && connected && lower(f.fromCall) == lower(in.connectedStation)) {
        out.beeps = 2;
        out.notice = "\r\n** Disconnected from " + in.connectedStation + " **\r\n";
        out.caption = "DX Spotting Setup";
        out.connectedStation = std::string();
    } else if (f.kind == 'c' && !connected) {
        out.connectedStation = f.fromCall;
        out.notice = "** Connected to " + f.fromCall + " **";
        out.caption = "DX Spotting Setup - Connected to " + f.fromCall;
        out.beeps = 1;
    }
    return out;
}

AgwSendPlan PlanAgwSend(const std::string& text, const std::string& connectedStation) {
    AgwSendPlan plan;
    if (text.empty() || text[0] != ':') {
        if (!connectedStation.empty()) plan.frames.push_back({connectedStation, text + "\r", 'D'});
        return plan;
    }
    const char letter = text.size() > 1 ? static_cast<char>(std::toupper(static_cast<unsigned char>(text[1]))) : 0;
    std::string argument = logging::Trim(text.size() > 2 ? text.substr(2) : std::string());
    if (letter == 'D') {
        if (!connectedStation.empty()) plan.frames.push_back({connectedStation, "", 'd'});
    } else if (letter == 'C') {
        for (char& c : argument) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (argument.empty()) {
            plan.message = {std::string("You must enter a call sign to connect to such as :C ") + kExampleCall,
                            "Call sign Required"};
        } else {
            plan.frames.push_back({argument, "", 'c'});
            plan.frames.push_back({argument, "", 'P'});
        }
    }
    return plan;
}

std::string AgwFailMessage() {
    return std::string("Unable to connect to the AGW Packet Engine.  To use the AGW Packet Engine to send and receive "
                       "packet with your soundcard or devices such a Baypac:\r\n\r\n- Download the freely available "
                       "software from ") +
           kAgwDownloadAddress +
           "\r\n\r\n- Make sure the AGW Packet Engine software is running and configure it as described on the AGW "
           "Packet Engine website.";
}

std::string AgwFailInstructions() {
    return std::string("Unable to connect to the AGW Packet Engine.  To use the AGW Packet Engine to send and receive "
                       "packet with your soundcard or devices such a Baypac:\r\n\r\n- Download the freely available "
                       "software from ") +
           kAgwDownloadAddress +
           "\r\n\r\n- Run the Packet Engine software and configure it as described on the AGW Packet Engine website "
           "for your sound card or TNC.\r\n\r\n- Click Open from this program.\r\n\r\n";
}

}  // namespace spots
