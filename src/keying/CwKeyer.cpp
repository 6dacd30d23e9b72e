#include "keying/CwKeyer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "keying/CwMacros.h"
#include "keying/Numbers.h"
#include "keying/TransmitPorts.h"
#include "platform/Platform.h"
#include "session/Session.h"

namespace keying {

namespace {
constexpr const char* kInvalidPortPrompt =
    "The port you have selected for CW keying is invalid.  Please select another or enter 0 for none.";
constexpr const char* kInvalidPortTitle = "Invalid port.";
constexpr const char* kKeyboardCwEcho = "Keyboard CW Mode is on.  Press F12 to exit.";

// The key line pin of an interface; nullopt for none (0), WinKey (5) and values the options
// do not have: those are timed but key nothing.
std::optional<platform::KeyPin> pinOf(int interface) {
    switch (interface) {
    case 1: return platform::KeyPin::Rts;
    case 2: return platform::KeyPin::Dtr;
    case 3: return platform::KeyPin::Control;
    default: return std::nullopt;
    }
}

// Turns of a counting loop per 60 ms on this machine, measured over at least 50 ms.
double measureLoopsPer60ms() {
    using Clock = std::chrono::steady_clock;
    volatile uint64_t counter = 0;
    const auto t0 = Clock::now();
    auto t1 = t0;
    do {
        for (int i = 0; i < 100000; ++i) counter = counter + 1;
        t1 = Clock::now();
    } while (t1 - t0 < std::chrono::milliseconds(50));
    const double ms = std::chrono::duration<double, std::milli>(t1 - t0).count();
    return static_cast<double>(counter) / ms * 60.0;
}
}  // namespace

CwKeyer::CwKeyer(Session& session, KeyerState& state, TransmitPorts& ports)
    : session_(session), state_(state), ports_(ports), tmrRepeat_(session.platform.scheduler.createTimer()) {
    tmrRepeat_->setHandler([this] { tmrRepeat_Timer(); });
    ports_.setCloser(TransmitPort::CwKeyLine, [this] { CloseComm(); });
}

CwKeyer::~CwKeyer() {
    Stop();
    {
        std::lock_guard lock(mutex_);
        stopThread_ = true;
    }
    cv_.notify_all();
    if (worker_.joinable()) worker_.join();
}

// ---- settings

void CwKeyer::settingsChanged() {
    Params p;
    p.interface = state_.CWInterface;
    const double wpm = IsNumber(settings_.speed) ? LeadingNumber(settings_.speed) : 0;
    UnitRule rule{settings_.timing, settings_.LoopsPer60ms, machineLoopsPer60ms_};
    if (rule.method == TimingMethod::Loop && machineLoopsPer60ms_ <= 0) {
        machineLoopsPer60ms_ = measureLoopsPer60ms();
        rule.machineLoopsPer60ms = machineLoopsPer60ms_;
    }
    p.unitMs = UnitMs(wpm, rule);
    p.wordSpace = WordSpaceUnits(LeadingNumber(settings_.wordSpace));
    std::lock_guard lock(mutex_);
    params_ = p;
}

void CwKeyer::ReadSettingsStore() {
    if (storeRead_) return;
    storeRead_ = true;
    auto& store = session_.platform.settings;
    settings_.LoopsPer60ms = LeadingNumber(store.get(kSettingsApp, kSettingsSection, "UserCWLoopOffset", "0"));
    if (auto m = TimingMethodFromName(store.get(kSettingsApp, kSettingsSection, "UserCWSelection", "Timer")))
        settings_.timing = *m;
    if (settings_.timing == TimingMethod::Loop && settings_.LoopsPer60ms == 0) CalibrateLoop();
    settingsChanged();
}

void CwKeyer::CalibrateLoop() {
    machineLoopsPer60ms_ = measureLoopsPer60ms();
    settings_.LoopsPer60ms = std::nearbyint(machineLoopsPer60ms_);
    settingsChanged();
}

// ---- messages

void CwKeyer::FKeyCW(int keyCode) {
    // First and always: a function key stops what is being sent.
    state_.CWBuffer.clear();
    if (state_.CWInterface == 0) return;
    const int index = MessageIndexOfKey(keyCode);
    // Armed only by an interval the timer runs: an armed repeat that never fires would still
    // make the next key typed empty the buffer.
    if (keyCode == 112 && settings_.repeatIntervalMs > 0) state_.CWRepeat = 1;
    if (index < 0 || settings_.messages[index].empty()) return;
    MacroSources sources{session_.contest.CWCall, "", session_.contest.CWRstSent, session_.contest.CWCounty};
    const std::string text = ExpandCwMacros(settings_.messages[index], sources, session_.counties);
    session_.contest.CWRstSent = sources.CWRstSent;
    state_.CWBuffer.append(text);
    LoopThroughCWBuffer();
}

bool CwKeyer::LoopThroughCWBuffer() {
    if (state_.CWInterface == 5) {
        // The WinKey keyer sends the buffer itself: the contact is logged before it starts. The
        // repeat waits for the end of the hand-over (handedOver), as it waits for the last
        // character keyed on the other interfaces.
        if (state_.CWBuffer.contains('!') && !session_.Form1.CallText().empty()) session_.Form1.Mains();
        if (auto* winKey = session_.keyers.winKey) {
            handingOver_ = true;
            winKey->WKTransmit(state_.CWBuffer, this);
        } else {
            state_.CWBuffer.clear();
        }
        return true;
    }
    // A pump already running takes whatever the buffer now holds.
    if (state_.CWSending == 1) return true;
    state_.CWSending = 1;
    settingsChanged();
    if (pinOf(state_.CWInterface)) {
        Params p;
        {
            std::lock_guard lock(mutex_);
            p = params_;
        }
        if (p.unitMs <= 0) {
            // A speed of 0, a typing slip or a speed out of range never keys the transmitter.
            // The pump never ran: nothing ends, and the message stays where the operator looks.
            session_.platform.dialogs.beep();
            session_.Form1.SetDialogCaption("Set a CW speed from 5 to 99 WPM.");
            state_.CWBuffer.clear();
            state_.CWRepeat = 0;
            state_.CWSending = 0;
            return false;
        }
        prepareLines();
        // The settings window may have been shown modally to correct the port meanwhile.
        settingsChanged();
    }
    startSession();
    return true;
}

void CwKeyer::UpDown1_UpClick() { SetSpeedText(SpeedStep(settings_.speed, +1)); }

void CwKeyer::UpDown1_DownClick() { SetSpeedText(SpeedStep(settings_.speed, -1)); }

void CwKeyer::SetSpeedText(const std::string& text) {
    settings_.speed = text;
    settingsChanged();
    const double wpm = IsNumber(text) ? LeadingNumber(text) : 0;
    auto* winKey = session_.keyers.winKey;
    if (winKey && wpm > 4 && wpm < 100 && state_.WinKeyOpen != 0 && state_.CWInterface == 5)
        winKey->wk_wpm(static_cast<uint8_t>(std::nearbyint(wpm)));
    notifySpeed();
}

void CwKeyer::tmrRepeat_Timer() {
    tmrRepeat_->stop();
    FKeyCW(112);
}

void CwKeyer::StopRepeatTimer() { tmrRepeat_->stop(); }

bool CwKeyer::repeatTimerActive() const { return tmrRepeat_->isActive(); }

void CwKeyer::SetRepeatSeconds(const std::string& text) {
    const RepeatBox box = RepeatFromText(text);
    settings_.repeatSeconds = box.text;
    settings_.repeatIntervalMs = box.intervalMs;
}

// ---- the keying port

void CwKeyer::reportPort(const std::string& prompt) {
    session_.platform.dialogs.beep();
    session_.platform.dialogs.messageBox(prompt, platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                                         kInvalidPortTitle);
    if (showSettingsModal) showSettingsModal();
}

bool CwKeyer::CWSetup() {
    CloseComm();
    const auto port = ComPortNumber(settings_.comPort);
    if (port && *port <= 0) return true;
    ports_.opening(TransmitPort::CwKeyLine);
    platform::KeyLineOpening opened;
    if (port) opened = session_.platform.keyLines.openSerial(*port);
    if (!opened.line) {
        std::string prompt = kInvalidPortPrompt;
        if (!opened.error.empty()) prompt += "\r\n\r\n" + opened.error;
        reportPort(prompt);
        return false;
    }
    const std::string device = opened.line->device();
    if (!opened.line->drivesLines()) {
        // Said once for this device: every character would otherwise pass unkeyed in silence.
        if (undrivableReported_ != device) {
            undrivableReported_ = device;
            session_.platform.dialogs.messageBox(
                "COM" + std::to_string(*port) + " (" + device +
                    ") cannot key a transmitter: its DTR and RTS lines cannot be driven (it is not a real "
                    "serial port).  CW will be timed but not keyed.  Please select another port or enter 0 for none.",
                platform::MsgButtons::OK, platform::MsgIcon::Exclamation, kInvalidPortTitle);
        }
    } else {
        undrivableReported_.clear();
    }
    std::lock_guard lock(mutex_);
    lines_.comm = std::move(opened.line);
    return true;
}

void CwKeyer::CloseComm() {
    std::shared_ptr<platform::KeyLine> comm;
    {
        std::lock_guard lock(mutex_);
        comm.swap(lines_.comm);
    }
    // Closed at once even if the worker still holds it: its next set() does nothing.
    if (comm) comm->close();
}

bool CwKeyer::commOpen() const {
    std::lock_guard lock(mutex_);
    return lines_.comm && lines_.comm->isOpen();
}

bool CwKeyer::prepareLines() {
    const int interface = state_.CWInterface;
    if (interface == 1 || interface == 2) {
        if (!commOpen()) return CWSetup();
        return true;
    }
    if (interface == 3) return prepareParallel();
    return true;
}

bool CwKeyer::prepareParallel() {
    {
        std::lock_guard lock(mutex_);
        if (lines_.parallel && lines_.parallel->isOpen() && parallelOpenedFor_ == settings_.parallelAddress)
            return true;
    }
    std::shared_ptr<platform::KeyLine> old;
    {
        std::lock_guard lock(mutex_);
        old.swap(lines_.parallel);
    }
    if (old) old->close();
    parallelOpenedFor_.clear();
    const auto ref = ParseParallelAddress(settings_.parallelAddress);
    if (!ref) {
        reportPort("The parallel port address \"" + settings_.parallelAddress +
                   "\" is not valid.  Please enter the port's base address, such as &H378, or its device, such as "
                   "/dev/parport0.");
        return false;
    }
    auto opened = session_.platform.keyLines.openParallel(*ref);
    if (!opened.line) {
        reportPort("The parallel port you have selected for CW keying cannot be used.\r\n\r\n" + opened.error);
        return false;
    }
    parallelOpenedFor_ = settings_.parallelAddress;
    std::lock_guard lock(mutex_);
    lines_.parallel = std::move(opened.line);
    return true;
}

// ---- the pump on the program's thread

void CwKeyer::post(std::function<void()> fn) {
    std::weak_ptr<int> alive = alive_;
    session_.platform.scheduler.post([alive, fn = std::move(fn)] {
        if (alive.lock()) fn();
    });
}

void CwKeyer::startSession() {
    {
        std::lock_guard lock(mutex_);
        currentSession_ = ++sessionId_;
        sessionActive_ = true;
        abort_ = false;
        if (!worker_.joinable()) worker_ = std::thread([this] { workerMain(); });
    }
    cv_.notify_all();
}

void CwKeyer::startRepeatIfArmed() {
    if (state_.CWRepeat == 1 && settings_.repeatIntervalMs > 0) tmrRepeat_->startSingleShot(settings_.repeatIntervalMs);
}

void CwKeyer::characterHandedOver() {
    if (handingOver_) notifyCharacterStarted();
}

void CwKeyer::handedOver() {
    if (!handingOver_) return;
    handingOver_ = false;
    startRepeatIfArmed();
    notifyIdle();
}

void CwKeyer::handOverFailed() {
    if (!handingOver_) return;
    // A failure ends the repeat as a key in the logging window does: repeating would only
    // fail again, with its message each time.
    state_.CWRepeat = 0;
    tmrRepeat_->stop();
    notifyObservers(&CwKeyerObserver::cwPumpFailed);
}

void CwKeyer::finishPump() {
    startRepeatIfArmed();
    state_.CWSending = 0;
    if (settings_.echo != 0) session_.Form1.SetDialogCaption(state_.KeyboardCW == 1 ? kKeyboardCwEcho : "");
    notifyIdle();
}

void CwKeyer::onCharacterStarted(uint64_t id) {
    if (id == currentSession_) notifyCharacterStarted();
}

void CwKeyer::onCharacterDone(uint64_t id, const std::string& rest) {
    if (id != currentSession_) return;
    if (settings_.echo != 0) session_.Form1.SetDialogCaption(rest);
}

void CwKeyer::onDrained(uint64_t id) {
    if (id != currentSession_ || state_.CWSending != 1) return;
    // Typed while the worker was finding the buffer empty: the same pump goes on.
    if (!state_.CWBuffer.empty()) {
        startSession();
        return;
    }
    finishPump();
}

void CwKeyer::onBang(uint64_t id) {
    // Runs between events, never inside another Mains; the worker waits for it.
    if (id == currentSession_ && !abort_ && !session_.Form1.CallText().empty()) session_.Form1.Mains();
    {
        std::lock_guard lock(mutex_);
        bangPending_ = false;
    }
    cv_.notify_all();
}

void CwKeyer::onLineFailed(uint64_t id, const std::string& error) {
    if (id != currentSession_) return;
    CloseComm();
    {
        std::shared_ptr<platform::KeyLine> parallel;
        {
            std::lock_guard lock(mutex_);
            parallel.swap(lines_.parallel);
        }
        if (parallel) parallel->close();
    }
    session_.platform.dialogs.beep();
    session_.platform.dialogs.messageBox("CW sending stopped: the key line could not be set.\r\n\r\n" + error,
                                         platform::MsgButtons::OK, platform::MsgIcon::Exclamation, kInvalidPortTitle);
}

void CwKeyer::Stop() {
    state_.CWBuffer.clear();
    state_.CWRepeat = 0;
    tmrRepeat_->stop();
    {
        std::unique_lock lock(mutex_);
        abort_ = true;
        lock.unlock();
        session_.platform.keyingClock.wake();
        cv_.notify_all();
        lock.lock();
        cv_.wait(lock, [&] { return !sessionActive_; });
        abort_ = false;
        // Reports still on their way belong to no session now.
        currentSession_ = ++sessionId_;
    }
    if (state_.CWSending == 1) {
        state_.CWSending = 0;
        notifyIdle();
    }
    CloseComm();
    std::shared_ptr<platform::KeyLine> parallel;
    {
        std::lock_guard lock(mutex_);
        parallel.swap(lines_.parallel);
    }
    if (parallel) parallel->close();
    parallelOpenedFor_.clear();
}

void CwKeyer::addObserver(CwKeyerObserver* observer) { observers_.push_back(observer); }

void CwKeyer::removeObserver(CwKeyerObserver* observer) { std::erase(observers_, observer); }

void CwKeyer::notifyObservers(void (CwKeyerObserver::*event)()) {
    // An observer may remove itself or another one (a window closing) while it is told: each
    // is told only while it is still there.
    for (auto* o : std::vector<CwKeyerObserver*>(observers_))
        if (std::find(observers_.begin(), observers_.end(), o) != observers_.end()) (o->*event)();
}

void CwKeyer::notifyIdle() { notifyObservers(&CwKeyerObserver::cwPumpIdle); }

void CwKeyer::notifyCharacterStarted() { notifyObservers(&CwKeyerObserver::cwCharacterStarted); }

void CwKeyer::notifySpeed() { notifyObservers(&CwKeyerObserver::cwSpeedChanged); }

// ---- the keying worker

void CwKeyer::workerMain() {
    std::unique_lock lock(mutex_);
    for (;;) {
        cv_.wait(lock, [&] { return stopThread_ || sessionActive_; });
        if (stopThread_) return;
        const uint64_t id = sessionId_;
        lock.unlock();
        runSession(id);
        lock.lock();
        sessionActive_ = false;
        cv_.notify_all();
        lock.unlock();
        post([this, id] { onDrained(id); });
        lock.lock();
    }
}

void CwKeyer::waitForBang(uint64_t id) {
    {
        std::lock_guard lock(mutex_);
        bangPending_ = true;
    }
    post([this, id] { onBang(id); });
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [&] { return !bangPending_ || abort_ || stopThread_; });
}

void CwKeyer::runSession(uint64_t id) {
    auto& clock = session_.platform.keyingClock;
    // Deadlines count whole units from the start of a run at one unit length, so rounding
    // never adds up and a late wake-up never shifts the elements after it.
    int64_t runStart = clock.nowNs();
    int64_t runUnits = 0;
    double runUnitMs = 0;
    bool failed = false;
    // The reports to the program's thread wait until the next edge is keyed: posting takes a
    // lock the busy program's thread may hold, and nothing may stand between a deadline and
    // its edge.
    std::vector<std::function<void()>> reports;
    auto sendReports = [&] {
        for (auto& r : reports) post(std::move(r));
        reports.clear();
    };
    auto characterDone = [&] {
        reports.push_back([this, id, rest = state_.CWBuffer.str()] { onCharacterDone(id, rest); });
    };
    while (!abort_) {
        const auto c = state_.CWBuffer.takeFirst();
        if (!c) break;
        reports.push_back([this, id] { onCharacterStarted(id); });
        Params p;
        Lines lines;
        {
            std::lock_guard lock(mutex_);
            p = params_;
            lines = lines_;
        }
        if (p.interface == 0) {
            characterDone();
            sendReports();
            continue;
        }
        if (*c == '!') {
            sendReports();
            waitForBang(id);
            // Logging took its time: the next character starts when it is done.
            const int64_t now = clock.nowNs();
            if (now > runStart + UnitsToNs(runUnits, runUnitMs)) {
                runStart = now;
                runUnits = 0;
            }
            characterDone();
            continue;
        }
        const std::string elements = CharacterElements(*c, p.wordSpace);
        if (elements.empty() || p.unitMs <= 0) {
            characterDone();
            sendReports();
            continue;
        }
        if (p.unitMs != runUnitMs) {
            runStart += UnitsToNs(runUnits, runUnitMs);
            runUnits = 0;
            runUnitMs = p.unitMs;
        }
        const auto pin = pinOf(p.interface);
        platform::KeyLine* line = nullptr;
        if (pin && !failed) {
            line = *pin == platform::KeyPin::Control ? lines.parallel.get() : lines.comm.get();
            if (line && (!line->isOpen() || !line->drivesLines())) line = nullptr;
        }
        bool down = false;
        for (char e : elements) {
            const bool level = e == '1';
            if (level != down) {
                // An element or gap that would start more than a quarter unit late (the machine
                // stalled) starts now and keeps its whole length: on the absolute schedule the
                // stall would be taken off it, down to nothing. Only the gap or element the
                // stall fell in is longer.
                const int64_t now = clock.nowNs();
                if (now - (runStart + UnitsToNs(runUnits, runUnitMs)) > UnitsToNs(1, runUnitMs) / 4) {
                    runStart = now;
                    runUnits = 0;
                }
            }
            if (level != down && line) {
                if (!line->set(*pin, level)) {
                    const std::string error = line->errorText();
                    line->set(*pin, false);
                    line = nullptr;
                    failed = true;
                    state_.CWBuffer.clear();
                    reports.push_back([this, id, error] { onLineFailed(id, error); });
                }
            }
            down = level;
            sendReports();
            ++runUnits;
            if (!clock.sleepUntil(runStart + UnitsToNs(runUnits, runUnitMs), abort_)) break;
        }
        // Every character ends key-up; one cut short by a stop is let up here.
        if (down && line) line->set(*pin, false);
        characterDone();
    }
    sendReports();
}

}  // namespace keying
