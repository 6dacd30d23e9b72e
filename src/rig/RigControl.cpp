#include "rig/RigControl.h"

#include <cstdio>

#include "logging/BandSwitch.h"
#include "logging/Text.h"
#include "platform/Platform.h"
#include "rig/CatCommands.h"
#include "rig/CatText.h"
#include "session/Session.h"

namespace rig {

namespace {
// What a port that is not open answers to a write, as the operator is told.
constexpr const char* kPortNotOpen = "Operation valid only when the port is open";
// An incomplete reply is kept for at most this many further receive ticks.
constexpr int kMaxWaitForRest = 2;
// A reply still arriving is never kept beyond this many bytes (a CI-V frame is far shorter).
constexpr size_t kMaxPending = 256;
// How often a command looks again whether the port's output has gone out.
constexpr int kDrainPollMs = 2;
constexpr int kDrainLimitMs = 2000;

std::string lineError(const platform::SerialLine* line) {
    if (!line || !line->isOpen()) return kPortNotOpen;
    std::string e = line->errorText();
    return e.empty() ? std::string("The port refused the output.") : e;
}
}  // namespace

struct RigControl::Step {
    enum class Kind { Wait, Drain, Action };
    Kind kind = Kind::Action;
    int ms = 0;
    // false ends the command: its remaining steps are dropped.
    std::function<bool()> action;
    int64_t deadline = -1;      // a drain gives up here (monotonic ms), set when it begins
    bool commandStart = false;  // the first step of a command

    static Step wait(int ms) { return {Kind::Wait, ms, {}}; }
    static Step drain() { return {Kind::Drain, 0, {}}; }
    static Step run(std::function<bool()> f) { return {Kind::Action, 0, std::move(f)}; }
};

std::string PegasusFolder(const Session& session) {
    const auto& env = session.platform.environment;
    std::string folder = env.get("PALMETAR_PEGASUS");
    if (!folder.empty()) return folder;
    const std::string home = env.get("HOME");
    return platform::joinPath(home.empty() ? session.folders.ProgramFolder : home, "Pegasus");
}

RigControl::RigControl(Session& session) : session_(session) {}

RigControl::~RigControl() {
    // The timers may not call back into a half-destroyed object.
    if (pollTimer_) pollTimer_->stop();
    if (stepTimer_) stepTimer_->stop();
    if (notifyTimer_) notifyTimer_->stop();
}

const std::string& RigControl::RigType() const { return session_.profile.RigType; }
void RigControl::SetRigType(const std::string& name) { session_.profile.RigType = name; }
RigKind RigControl::kind() const { return KindOf(RigType()); }

platform::Timer& RigControl::pollTimer() {
    if (!pollTimer_) {
        pollTimer_ = session_.platform.scheduler.createTimer();
        pollTimer_->setHandler([this] { Tick(); });
    }
    return *pollTimer_;
}

bool RigControl::PortOpen() const { return line_ && line_->isOpen(); }

bool RigControl::Polling() const { return (pollTimer_ && pollTimer_->isActive()) || holdingPoll_; }

void RigControl::setPolling(bool polling) {
    if (polling == polling_) return;
    polling_ = polling;
    if (events.pollingChanged) events.pollingChanged(polling);
}

// --- Settings ---------------------------------------------------------------------------------

LoadSettingsResult RigControl::LoadRigSettings() {
    LoadSettingsResult result;
    settings_ = DesignSettings();
    const auto bytes = session_.platform.files.readAll(session_.programFile(kRigCntrlFile));
    if (!bytes) {
        if (const RigTypeRow* row = FindRigType(RigType())) ApplyRigTypeRow(settings_, *row);
    } else {
        result.fileFound = true;
        const RigCntrlRead read = ReadRigCntrl(*bytes, settings_);
        result.itemsRead = read.itemsRead;
        if (read.rigType) SetRigType(*read.rigType);
        if (read.itemsRead >= 8 && (read.portInFile < platform::kFirstComPort || read.portInFile > platform::kLastComPort)) {
            result.badPortInFile = read.portInFile;
            settings_.RigPort = platform::kFirstComPort;
        }
    }
    LoadExtraBandPlan();
    reading_.VfoFlag = 10;
    loaded_ = true;
    return result;
}

bool RigControl::SaveRigSettings() {
    const std::string path = session_.programFile(kRigCntrlFile);
    if (session_.platform.files.writeAtomic(path, WriteRigCntrl(settings_, RigType()))) return true;
    session_.platform.dialogs.beep();
    session_.platform.dialogs.messageBox("The rig settings could not be saved to\r\n" + platform::PathText(path),
                                         platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                                         "Unable to write file.");
    return false;
}

void RigControl::LoadExtraBandPlan() {
    const auto bytes = session_.platform.files.readAll(session_.programFile("BandPlan.txt"));
    extraBandPlan_ = bytes ? ExtraRows(*bytes) : std::vector<BandPlanRow>{};
}

// --- The link ---------------------------------------------------------------------------------

bool RigControl::OpenRigPort() {
    if (!line_) line_ = session_.platform.serial.create();
    if (line_->isOpen()) line_->close();
    pending_.clear();
    waitingForRest_ = 0;
    const RigKind k = kind();
    const auto serial = platform::parseSerialSettings(settings_.CommSettings);
    // The handshake is set on every open, so an Orion's RTS/CTS never stays on for the next rig.
    bool ok = serial && line_->open(settings_.RigPort, *serial,
                                    UsesRtsCts(k) ? platform::Handshake::RtsCts : platform::Handshake::None);
    arrived_.clear();
    answered_ = false;
    awaitingReply_ = false;  // a new link starts its own cycle with a request
    sentThisCycle_ = false;
    line_->setReadyReadHandler([this] { onArrival(); });
    line_->setLostHandler([this] { portLost(); });
    if (ok) {
        // The interface is powered only from the line the settings name.
        if (settings_.PowerLine == "R") line_->setRts(true);
        else if (settings_.PowerLine == "D") line_->setDtr(true);
        const std::string wake = OpenBytes(RigType());
        if (!wake.empty()) ok = line_->write(wake);
    }
    if (ok) return true;
    line_->close();
    session_.platform.dialogs.beep();
    session_.platform.dialogs.messageBox(kInvalidCommText, platform::MsgButtons::OK, platform::MsgIcon::Information,
                                         kInvalidCommTitle);
    return false;
}

void RigControl::StartPolling() {
    if (auto ms = rig::PollIntervalMs(settings_.PollRate)) interval_ = *ms;
    pollTimer().start(interval_);
}

TestResult RigControl::Test() {
    cancelCommands();
    holdingPoll_ = false;
    const bool none = logging::SameText(RigType(), "None");
    if (!none) reading_.RigMode.clear();
    settings_.CommSettings = CommSettingsText(settings_);
    if (none) return TestResult::NoRig;
    const RigKind k = kind();
    if (auto bad = BadReadString(k, settings_.readStrings())) {
        EndTest();
        session_.platform.dialogs.beep();
        const std::string& text = *bad == "String to read mode" ? settings_.ModeReadString : settings_.FreqReadString;
        session_.platform.dialogs.messageBox("The " + *bad + " must be hex pairs with a blank between them, as in "
                                             "\"FE FE 64 E0 03 FD\":\r\n\r\n" + text,
                                             platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                                             " Rig Interface Setup");
        return TestResult::BadReadString;
    }
    if (k != RigKind::Pegasus && !OpenRigPort()) {
        if (pollTimer_) pollTimer_->stop();
        setPolling(false);
        if (events.portFailed) {
            // Told once this Test has returned: a modal setup dialog opened from here would run
            // Test again inside this one.
            if (!notifyTimer_) {
                notifyTimer_ = session_.platform.scheduler.createTimer();
                notifyTimer_->setHandler([this] {
                    if (events.portFailed) events.portFailed();
                });
            }
            notifyTimer_->startSingleShot(0);
        }
        return TestResult::PortFailed;
    }
    Tick();
    StartPolling();
    setPolling(true);
    return TestResult::Polling;
}

void RigControl::EndTest() {
    cancelCommands();
    holdingPoll_ = false;
    if (pollTimer_) pollTimer_->stop();
    if (line_ && line_->isOpen()) line_->close();
    pending_.clear();
    arrived_.clear();
    answered_ = false;
    waitingForRest_ = 0;
    // The next Test starts a cycle of its own: nothing asked before is awaited any more.
    awaitingReply_ = false;
    sentThisCycle_ = false;
    setPolling(false);
}

void RigControl::portLost() {
    const std::string why = line_ ? line_->errorText() : std::string();
    EndTest();
    // What was read before is of a radio no longer heard: no contact takes it, and a reply
    // after the next Test that holds no frequency cannot hand it on either.
    reading_.RigFrequency = 0;
    reading_.RigMode.clear();
    lastReply_.clear();
    logging::ForgetRigReading(session_.contest);
    session_.platform.dialogs.beep();
    session_.Form1.SetDialogCaption(kPortLostStatus);
    if (events.portLost) events.portLost(why);
}

void RigControl::Unload() {
    const std::string closing = CloseBytes(RigType());
    if (!closing.empty() && Polling() && PortOpen()) line_->write(closing);
    EndTest();
}

void RigControl::ModeByChanged() { reading_.RigMode.clear(); }

// --- The poll cycle ---------------------------------------------------------------------------

void RigControl::Tick() {
    // A handler the hand-off runs may open a message box whose loop fires this timer again;
    // ticks never overlap.
    if (inTick_) return;
    inTick_ = true;
    if (!awaitingReply_) SendTick();
    else ReceiveTick();
    inTick_ = false;
}

void RigControl::SendTick() {
    const RigKind k = kind();
    sentThisCycle_ = false;
    if (k != RigKind::Pegasus) {
        // A port that is not open cannot be asked anything: the same tick comes again.
        if (!line_ || !line_->isOpen()) return;
        if (line_->bytesToWrite() == 0) {
            const bool unframed = HasUnframedReply(k);
            if (unframed && waitingForRest_ > 0) {
                // The answer to the last request is still arriving: ask nothing new.
                sentThisCycle_ = true;
            } else if (unframed && !line_->readAll().empty()) {
                // Bytes after a read answer (the rest of a long status block, or noise): a
                // request now would have its answer read from the wrong position.
            } else {
                const PollRequest request = BuildPollRequest(k, settings_.readStrings(), !lastWasFreqRequest_);
                if (!request.valid) return;
                if (!request.bytes.empty()) {
                    if (!line_->write(request.bytes)) return;
                    sentThisCycle_ = true;
                }
                if (request.alternates) lastWasFreqRequest_ = !lastWasFreqRequest_;
            }
        }
    }
    awaitingReply_ = true;
}

void RigControl::ReceiveTick() {
    const RigKind k = kind();
    if (k == RigKind::Pegasus) {
        const std::string path =
            platform::resolveInFolder(session_.platform.files, PegasusFolder(session_), "PEGASUS.OUT");
        Decoded decoded;
        if (auto bytes = session_.platform.files.readAll(path)) decoded = ReadPegasusFile(*bytes);
        reading_.apply(decoded);
        handOff(std::string());
        awaitingReply_ = false;
        return;
    }
    // A port that cannot be read: the same tick comes again.
    if (!line_ || !line_->isOpen()) return;
    std::string incoming = arrived_ + line_->readAll();
    arrived_.clear();
    // After an answer read on arrival, what came since is the rest of a long status block
    // (dropped) or something else to show, such as the reply to a raw command.
    if (!answered_ || !HasUnframedReply(k)) {
        if (!answered_ || !incoming.empty()) receive(incoming);
    }
    answered_ = false;
    sentThisCycle_ = false;
    awaitingReply_ = false;
}

void RigControl::onArrival() {
    if (inTick_ || !awaitingReply_ || answered_ || !sentThisCycle_ || holdingPoll_ || !line_ || !line_->isOpen()) return;
    const RigKind k = kind();
    if (!IsCiv(k) && !IsKenwoodText(k) && k != RigKind::Orion && k != RigKind::Ftdx9000 && !HasUnframedReply(k)) return;
    inTick_ = true;  // reading may deliver this notice again, and the hand-off may open a message box
    arrived_ += line_->readAll();
    if (arrived_.size() > kMaxPending * 16) arrived_.erase(0, arrived_.size() - kMaxPending * 16);
    if (AnswerIsWhole(k, pending_ + arrived_, lastWasFreqRequest_, settings_.FreqReadString, settings_.ModeReadString)) {
        const std::string incoming = std::move(arrived_);
        arrived_.clear();
        receive(incoming);
        answered_ = true;
    }
    inTick_ = false;
}

void RigControl::receive(const std::string& incoming) {
    const RigKind k = kind();
    std::string buffer = pending_ + incoming;
    pending_.clear();
    if (HasUnframedReply(k)) {
        if (!sentThisCycle_) buffer.clear();  // nothing was asked: not an answer
        const size_t need = UnframedReplyLength(k, lastWasFreqRequest_);
        if (!buffer.empty() && buffer.size() < need) {
            // Part of the answer: keep it and wait for the rest rather than read it short.
            if (++waitingForRest_ <= kMaxWaitForRest) pending_ = buffer;
            else waitingForRest_ = 0;
            return;
        }
        waitingForRest_ = 0;
        // A byte more than the answer (an acknowledgement before or after it) leaves no telling
        // where the answer lies: the cycle reads nothing and the next one asks again.
        if (UnframedReplyIsExact(k) && buffer.size() > need) return;
    } else if (IsCiv(k)) {
        // A frame cut between two reads is joined with its rest at the next read.
        pending_ = CivIncompleteTail(buffer);
        if (pending_.size() > kMaxPending) pending_.clear();
    }
    if (buffer.empty()) return;
    reading_.apply(DecodeReply(k, buffer, lastWasFreqRequest_, settings_.FreqReadString, settings_.ModeReadString));
    handOff(incoming);
}

void RigControl::handOff(const std::string& reply) {
    if (settings_.modeBy == ModeBy::Frequency) {
        if (auto mode = ModeByFrequency(reading_.RigFrequency)) reading_.RigMode = *mode;
    }
    lastReply_ = reply;
    if (events.shown) {
        RigDisplay display;
        if (reading_.RigFrequency > 0) {
            char text[40];
            std::snprintf(text, sizeof text, "%.5f", reading_.RigFrequency);
            display.frequencyText = text;
        }
        display.mode = reading_.RigMode;
        display.reply = settings_.ConvertFromHex ? ReplyToSpacedHex(reply) : reply;
        events.shown(display);
    }
    // Only a real reading reaches the logging window: 0 means nothing has been decoded yet, and
    // a frequency in no band of the band table is a reply misread (a babbling rig) or a radio
    // tuned where nothing is logged. Such a reply switches neither band nor mode.
    if (reading_.RigFrequency > 0 && logging::BandForFrequency(reading_.RigFrequency).empty()) return;
    if (settings_.UseFrequency && reading_.RigFrequency > 0) session_.Form1.BandFreqConversion(reading_.RigFrequency);
    if (settings_.modeBy != ModeBy::DontUse) session_.Form1.ModeSelection(reading_.RigMode);
}

// --- Commands ---------------------------------------------------------------------------------

bool RigControl::WriteRaw(const std::string& bytes, std::string* error) {
    if (line_ && line_->isOpen() && line_->write(bytes)) return true;
    if (error) *error = lineError(line_.get());
    return false;
}

bool RigControl::writePegasusFile(double mhz) {
    auto& files = session_.platform.files;
    const std::string path = platform::resolveInFolder(files, PegasusFolder(session_), "PEGASUS.IN");
    return files.writeAtomic(path, PegasusInText(mhz, reading_.RigMode));
}

void RigControl::appendModeSteps(std::vector<Step>& steps, const std::string& bytes, const std::string& mode) {
    steps.push_back(Step::wait(0));
    steps.push_back(Step::drain());
    steps.push_back(Step::wait(99));
    steps.push_back(Step::run([this, bytes, mode] {
        if (line_ && line_->isOpen() && line_->write(bytes)) return true;
        const std::string why = lineError(line_.get());
        session_.platform.dialogs.messageBox(why + " " + mode, platform::MsgButtons::OK, platform::MsgIcon::None,
                                             kChangeModeTitle);
        return true;  // a frequency command goes on with the frequency
    }));
    steps.push_back(Step::drain());
}

void RigControl::ChangeMode(double mhz, const std::string& mode) {
    if (logging::SameText(RigType(), "None")) return;
    std::string m = mode.empty() ? BandPlanMode(extraBandPlan_, mhz) : mode;
    if (m.empty()) return;
    const std::string bytes = EncodeModeCommand(kind(), m, settings_.readStrings());
    if (bytes.empty()) return;
    std::vector<Step> steps;
    appendModeSteps(steps, bytes, m);
    enqueue(std::move(steps));
}

std::string RigControl::FrequencyRefusal(double mhz) const {
    if (!pollTimer_ || !pollTimer_->isActive()) return {};
    return EncodeFrequencyCommand(kind(), mhz, settings_.readStrings(), reading_.VfoFlag).refusal;
}

void RigControl::ChangeFrequency(double mhz) {
    if (!pollTimer_ || !pollTimer_->isActive()) return;
    const RigKind k = kind();
    const FrequencyCommand command = EncodeFrequencyCommand(k, mhz, settings_.readStrings(), reading_.VfoFlag);
    if (!command.refusal.empty()) {
        session_.platform.dialogs.beep();
        session_.platform.dialogs.messageBox(command.refusal, platform::MsgButtons::OK, platform::MsgIcon::None,
                                             kChangeFrequencyTitle);
        return;
    }
    pollTimer_->stop();
    holdingPoll_ = true;
    std::vector<Step> steps;
    steps.push_back(Step::run([this, k] {
        if (k != RigKind::Pegasus && line_ && line_->isOpen()) line_->readAll();
        pending_.clear();
        arrived_.clear();
        waitingForRest_ = 0;
        lastReply_.clear();
        // The answer whose start was just dropped is no longer awaited: its rest, still on its
        // way, would be read from the wrong position. The poll starts a new cycle afterwards.
        awaitingReply_ = false;
        sentThisCycle_ = false;
        answered_ = false;
        return true;
    }));
    const std::string mode = BandPlanMode(extraBandPlan_, mhz);
    if (!mode.empty()) {
        const std::string modeBytes = EncodeModeCommand(k, mode, settings_.readStrings());
        if (!modeBytes.empty()) appendModeSteps(steps, modeBytes, mode);
    }
    // A failed mode command does not hold up the frequency.
    steps.push_back(Step::drain());
    steps.push_back(Step::wait(command.delayMs));
    steps.push_back(Step::run([this, k, mhz, bytes = command.bytes] {
        if (k == RigKind::Pegasus) {
            writePegasusFile(mhz);  // quietly, as the outside program may hold the file
            return true;
        }
        if (bytes.empty() || (line_ && line_->isOpen() && line_->write(bytes))) return true;
        const std::string why = lineError(line_.get());
        session_.platform.dialogs.messageBox(why, platform::MsgButtons::OK, platform::MsgIcon::None,
                                             kChangeFrequencyTitle);
        // Polling goes on when the port can still be read; otherwise it is ended, so "Polling
        // Rig" is never shown over a stopped poll.
        holdingPoll_ = false;
        if (PortOpen()) pollTimer().start(interval_);
        else EndTest();
        return false;
    }));
    steps.push_back(Step::drain());
    steps.push_back(Step::run([this] {
        holdingPoll_ = false;
        pollTimer().start(interval_);
        return true;
    }));
    enqueue(std::move(steps));
}

void RigControl::enqueue(std::vector<Step> steps) {
    if (steps.empty()) return;
    steps.front().commandStart = true;
    for (auto& s : steps) steps_.push_back(std::move(s));
    if (!stepTimer_ || !stepTimer_->isActive()) runSteps();
}

void RigControl::runSteps() {
    if (stepRunning_) return;
    if (!stepTimer_) {
        stepTimer_ = session_.platform.scheduler.createTimer();
        stepTimer_->setHandler([this] { runSteps(); });
    }
    while (!steps_.empty()) {
        Step& step = steps_.front();
        switch (step.kind) {
            case Step::Kind::Wait: {
                const int ms = step.ms;
                steps_.pop_front();
                stepTimer_->startSingleShot(ms);
                return;
            }
            case Step::Kind::Drain: {
                const int64_t now = session_.platform.clock.monotonicMs();
                if (step.deadline < 0) step.deadline = now + kDrainLimitMs;
                const bool pending = line_ && line_->isOpen() && line_->bytesToWrite() > 0;
                if (pending && now < step.deadline) {
                    stepTimer_->startSingleShot(kDrainPollMs);
                    return;
                }
                steps_.pop_front();
                break;
            }
            case Step::Kind::Action: {
                auto action = std::move(step.action);
                steps_.pop_front();
                const uint64_t generation = generation_;
                stepRunning_ = true;
                const bool go = action();
                stepRunning_ = false;
                // After a cancellation meanwhile (End Test during a message box) the steps left
                // are those of later commands.
                if (generation == generation_ && !go) {
                    // Drop this command's remaining steps; a later command queued behind it stays.
                    while (!steps_.empty() && !steps_.front().commandStart) steps_.pop_front();
                }
                break;
            }
        }
    }
}

void RigControl::cancelCommands() {
    ++generation_;
    steps_.clear();
    if (stepTimer_) stepTimer_->stop();
}

}  // namespace rig
