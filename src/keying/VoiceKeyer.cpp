#include "keying/VoiceKeyer.h"

#include "keying/CwSettings.h"
#include "logging/Text.h"
#include "platform/FileSystem.h"
#include "session/Session.h"

namespace keying {

PttPlan PlanPtt(const VoiceKeyerSettings& s) {
    PttPlan plan;
    const auto port = ComPortNumber(s.pttPort);
    plan.serial = port && *port > 0;
    plan.serialPin = s.pttLine == 1 ? platform::KeyPin::Dtr : platform::KeyPin::Rts;
    plan.parallel = s.pttLine == 2;
    return plan;
}

VoiceKeyer::VoiceKeyer(Session& session) : session_(session), tmrRepeat_(session.platform.scheduler.createTimer()) {
    tmrRepeat_->setHandler([this] {
        tmrRepeat_->stop();
        FKeyPhone(112);
    });
    session.platform.phoneWave.setFinishedHandler([this] { ended(); });
    session.keyers.voice = this;
    session.keyers.ports.setCloser(TransmitPort::VoicePtt, [this] { ClosePttPort(); });
}

VoiceKeyer::~VoiceKeyer() {
    session_.platform.phoneWave.setFinishedHandler(nullptr);
    if (session_.keyers.voice == this) session_.keyers.voice = nullptr;
    session_.keyers.ports.setCloser(TransmitPort::VoicePtt, nullptr);
    Unload();
}

VoiceKeyerSettings& VoiceKeyer::settings() { return session_.voiceKeyer; }

void VoiceKeyer::report(const std::string& text, const std::string& title) {
    session_.platform.dialogs.beep();
    session_.platform.dialogs.messageBox(text, platform::MsgButtons::OK, platform::MsgIcon::None, title);
    if (showSettingsModal) showSettingsModal();
}

void VoiceKeyer::FKeyPhone(int keyCode) {
    if (keyCode < 112 || keyCode > 120) return;
    auto& player = session_.platform.phoneWave;
    const auto& s = settings();
    // A message still playing ends here; its lines stay down only if the new one keys them.
    player.stop();
    if (keyCode == 112 && s.repeatIntervalMs > 0) session_.keyers.keyer.PhoneRepeat = 1;
    const std::string file = logging::Trim(s.waveFiles[keyCode - 112]);
    if (file.empty()) {
        releasePtt();
        return;
    }
    const PttPlan plan = PlanPtt(s);
    // Whatever was keyed for the previous message and is not keyed for this one goes up.
    if (keyed_ && (!plan.serial || keyedPin_ != plan.serialPin || (parallelKeyed_ && !plan.parallel))) releasePtt();
    if (plan.serial) {
        if (!pttPortOpen() && !OpenPttPort()) {
            releasePtt();
            return;
        }
        if (!comm_->set(plan.serialPin, true)) {
            releasePtt();
            report("PTT could not be keyed on " + comm_->device() + ": " + comm_->errorText(), "Invalid port.");
            return;
        }
        keyed_ = true;
        keyedPin_ = plan.serialPin;
    }
    if (plan.parallel && !keyParallel()) {
        // The serial line raised above goes up again: nothing stays keyed for a message
        // that will not play.
        releasePtt();
        return;
    }
    if (!player.play(file)) {
        // Nothing plays: as at the end of a message, PTT goes up and an armed repeat runs.
        ended();
    }
}

bool VoiceKeyer::keyParallel() {
    const auto& address = settings().parallelAddress;
    if (!parallel_ || !parallel_->isOpen() || parallelOpenedFor_ != address) {
        if (parallel_) parallel_->close();
        parallel_.reset();
        parallelOpenedFor_.clear();
        const auto ref = ParseParallelAddress(address);
        if (!ref) {
            report("The parallel port address \"" + address +
                       "\" is not valid.  Please enter the port's base address, such as &H378, or its device, such "
                       "as /dev/parport0.",
                   "Invalid port.");
            return false;
        }
        auto opened = session_.platform.keyLines.openParallel(*ref);
        if (!opened.line) {
            report("The parallel port you have selected for Phone keying cannot be used.\r\n\r\n" + opened.error,
                   "Invalid port.");
            return false;
        }
        parallel_ = std::move(opened.line);
        parallelOpenedFor_ = address;
    }
    if (!parallel_->set(platform::KeyPin::Control, true)) {
        report("PTT could not be keyed on " + parallel_->device() + ": " + parallel_->errorText(), "Invalid port.");
        return false;
    }
    keyed_ = true;
    parallelKeyed_ = true;
    return true;
}

void VoiceKeyer::releasePtt() {
    if (comm_ && comm_->isOpen()) {
        comm_->set(platform::KeyPin::Rts, false);
        comm_->set(platform::KeyPin::Dtr, false);
    }
    if (parallel_ && parallel_->isOpen() && parallelKeyed_) parallel_->set(platform::KeyPin::Control, false);
    keyed_ = false;
    parallelKeyed_ = false;
}

void VoiceKeyer::ended() {
    releasePtt();
    if (session_.keyers.keyer.PhoneRepeat == 1 && settings().repeatIntervalMs > 0)
        tmrRepeat_->startSingleShot(settings().repeatIntervalMs);
}

void VoiceKeyer::StopPhoneRepeatTimer() { tmrRepeat_->stop(); }

bool VoiceKeyer::repeatTimerActive() const { return tmrRepeat_->isActive(); }

bool VoiceKeyer::VoicePlaying() const { return session_.platform.phoneWave.playing(); }

void VoiceKeyer::StopVoice() {
    // A stopped player sends no end event: PTT goes up here. A stop is not the end of a
    // message, so it never starts the repeat.
    session_.platform.phoneWave.stop();
    releasePtt();
}

bool VoiceKeyer::OpenPttPort() {
    const auto port = ComPortNumber(settings().pttPort);
    if (port && *port <= 0) return true;
    session_.keyers.ports.opening(TransmitPort::VoicePtt);
    ClosePttPort();
    platform::KeyLineOpening opened;
    if (port) opened = session_.platform.keyLines.openSerial(*port);
    if (!opened.line) {
        std::string text = kInvalidPortText;
        if (!opened.error.empty()) text += "\r\n\r\n" + opened.error;
        report(text, "Invalid port.");
        return false;
    }
    comm_ = std::move(opened.line);
    return true;
}

void VoiceKeyer::ClosePttPort() {
    if (!comm_) return;
    comm_->set(platform::KeyPin::Rts, false);
    comm_->set(platform::KeyPin::Dtr, false);
    comm_->close();
    comm_.reset();
    if (!parallelKeyed_) keyed_ = false;
}

void VoiceKeyer::SetRepeatSeconds(const std::string& text) {
    const RepeatBox r = RepeatFromText(text);
    settings().repeatSeconds = r.text;
    settings().repeatIntervalMs = r.intervalMs;
}

bool VoiceKeyer::WriteSettings() {
    const std::string path = session_.programFile("wave2.txt");
    if (session_.platform.files.writeAtomic(path, FormatWaveSettings(settings()))) return true;
    session_.platform.dialogs.messageBox("The voice keyer settings could not be saved to " +
                                             platform::PathText(path) + ".",
                                         platform::MsgButtons::OK, platform::MsgIcon::Exclamation, "Error");
    return false;
}

void VoiceKeyer::Unload() {
    tmrRepeat_->stop();
    session_.platform.phoneWave.stop();
    releasePtt();
    if (comm_) comm_->close();
    comm_.reset();
    if (parallel_) parallel_->close();
    parallel_.reset();
    parallelOpenedFor_.clear();
}

}  // namespace keying
