#pragma once
// The CW keyer: messages with their macros, the send buffer and its pump, the F1 repeat, the
// speed steps, the keying port, and the keying worker.
//
// The pump runs on the program's thread and never waits: it starts the keying worker, a thread
// of its own that takes the characters from the front of the send buffer one at a time and
// keys their elements on the key line, sleeping to absolute deadlines on the monotonic keying
// clock. So the window keeps taking keys while CW goes out: typed characters join the buffer,
// Esc empties it (the character being keyed is finished), an F-key replaces it. The worker
// reports back through the scheduler's post(): each character started and done (the status
// line echo), a "!" to log the contact (the worker waits until the live window's Mains has
// run), and the buffer running dry, which ends the pump on the program's thread.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "keying/CwSettings.h"
#include "keying/KeyerPort.h"
#include "keying/KeyerState.h"
#include "platform/KeyLine.h"
#include "platform/Scheduler.h"

class Session;

namespace keying {

class TransmitPorts;

// Told on the program's thread what the pump does, the same with every interface, and never
// from inside the call that started the pump: whoever feeds the buffer (code practice) adds
// the next character when one is taken and again when the pump ends.
class CwKeyerObserver {
public:
    virtual ~CwKeyerObserver() = default;
    // A character was taken from the buffer: the worker starts keying it, or it has gone to
    // the WinKey keyer.
    virtual void cwCharacterStarted() {}
    // The pump ended: the buffer ran dry or was emptied (the last character keyed, or handed
    // over to the WinKey keyer).
    virtual void cwPumpIdle() {}
    // Just before cwPumpIdle: the pump failed and the operator has been told why (the WinKey
    // keyer could not be opened, or took no more text). A feeder stops; the F1 repeat has ended.
    virtual void cwPumpFailed() {}
    virtual void cwSpeedChanged() {}      // the speed text changed (steps, window, code practice)
};

class CwKeyer : private HandOverListener {
public:
    CwKeyer(Session& session, KeyerState& state, TransmitPorts& ports);
    ~CwKeyer() override;
    CwKeyer(const CwKeyer&) = delete;
    CwKeyer& operator=(const CwKeyer&) = delete;

    // ---- settings: the values of CWFrm. After changing them call settingsChanged(), which
    // hands the worker what it reads at the start of each character.
    CwSettings& settings() { return settings_; }
    const CwSettings& settings() const { return settings_; }
    void settingsChanged();
    // The timing method and loop count from the settings store (once a run; a stored "Loop"
    // that was never calibrated is calibrated now).
    void ReadSettingsStore();

    // ---- messages and the send buffer
    void FKeyCW(int keyCode);
    // Starts sending the buffer and returns at once; false when it refused to (a speed it
    // cannot key), with the buffer emptied and the operator told.
    bool LoopThroughCWBuffer();
    // True while a pump runs: the worker keys (CWSending is 1) or the WinKey keyer is still
    // taking the buffer.
    bool pumpRunning() const { return state_.CWSending == 1 || handingOver_; }
    void UpDown1_UpClick();
    void UpDown1_DownClick();
    // The speed box's text changed (Text11_Change): the worker keys the next character at it,
    // and an open WinKey keyer is told.
    void SetSpeedText(const std::string& text);
    void tmrRepeat_Timer();
    void StopRepeatTimer();
    bool repeatTimerActive() const;
    // The repeat box was left (txtCWLoop_LostFocus): its text and the timer's interval.
    void SetRepeatSeconds(const std::string& text);

    // ---- the keying port
    // Opens the serial keying port of the com-port box (closing the voice keyer's port first).
    // A port that cannot be opened is reported and the settings window shown; a port whose
    // lines cannot be driven is reported once. true when the port is open or none is set.
    bool CWSetup();
    void CloseComm();
    bool commOpen() const;
    // Measures this machine's counting loop and sets the Loop method's count from it.
    void CalibrateLoop();

    // Ends keying at once with the key up, empties the buffer, cancels the repeat and closes
    // the key lines (the logging window's unload, the end of the program).
    void Stop();

    // Shows the settings window modally unless it is shown already (set by the window part).
    std::function<void()> showSettingsModal;

    void addObserver(CwKeyerObserver* observer);
    void removeObserver(CwKeyerObserver* observer);

private:
    struct Params {
        int interface = 0;
        double unitMs = 0;
        int wordSpace = 0;
    };
    struct Lines {
        std::shared_ptr<platform::KeyLine> comm, parallel;
    };

    // program's thread
    bool prepareLines();
    bool prepareParallel();
    void reportPort(const std::string& prompt);
    void startSession();
    void finishPump();
    void onCharacterStarted(uint64_t id);
    void onCharacterDone(uint64_t id, const std::string& rest);
    void onDrained(uint64_t id);
    void onBang(uint64_t id);
    void onLineFailed(uint64_t id, const std::string& error);
    void post(std::function<void()> fn);
    void notifyObservers(void (CwKeyerObserver::*event)());
    void notifyIdle();
    void notifyCharacterStarted();
    void notifySpeed();
    void startRepeatIfArmed();
    // The WinKey keyer's hand-over.
    void characterHandedOver() override;
    void handedOver() override;
    void handOverFailed() override;

    // worker
    void workerMain();
    void runSession(uint64_t id);
    void waitForBang(uint64_t id);

    Session& session_;
    KeyerState& state_;
    TransmitPorts& ports_;
    CwSettings settings_;
    bool storeRead_ = false;
    double machineLoopsPer60ms_ = 0;
    std::unique_ptr<platform::Timer> tmrRepeat_;
    std::vector<CwKeyerObserver*> observers_;
    std::string undrivableReported_;     // the device last reported as unable to key
    std::string parallelOpenedFor_;      // the address text the parallel line was opened for
    uint64_t currentSession_ = 0;        // program's thread: the session whose reports count
    bool handingOver_ = false;           // the WinKey keyer is taking the buffer for the pump
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);

    // shared with the worker
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::thread worker_;
    bool stopThread_ = false;
    bool sessionActive_ = false;
    uint64_t sessionId_ = 0;
    bool bangPending_ = false;
    Params params_;
    Lines lines_;
    std::atomic<bool> abort_{false};
};

}  // namespace keying
