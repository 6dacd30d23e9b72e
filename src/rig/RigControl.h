#pragma once
// Rig control for one run: the settings of the rig setup, the CAT port, the poll cycle that reads
// the radio's frequency and mode and hands them to the live logging window (Form1), and the
// frequency and mode commands. Session owns one; the rig setup dialog drives it and shows what it
// reports. Nothing here waits: the poll cycle and every delay of the commands run on timers of
// the platform scheduler, and all of it runs on the program's one thread.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rig/BandPlan.h"
#include "rig/CatDecoders.h"
#include "rig/RigSettings.h"

class Session;

namespace platform {
class SerialLine;
class Timer;
}  // namespace platform

namespace rig {

// What the setup dialog's labels show after a receive tick.
struct RigDisplay {
    std::optional<std::string> frequencyText;  // "14.02500"; nullopt while no frequency is known
    std::string mode;
    std::string reply;  // the raw reply, or its spaced hex digits with "Convert from Hex"
};

// Calls out to whoever shows the rig (the setup dialog); each may be left empty.
struct RigEvents {
    // After every receive tick that got a reply; the dialog updates its labels while shown.
    std::function<void(const RigDisplay&)> shown;
    // Polling started or ended ("Polling Rig", "End Test").
    std::function<void(bool polling)> pollingChanged;
    // The port did not open; runs after the "Invalid Comm Settings." message, once Test has
    // returned, so the dialog can show itself for the operator to correct the settings.
    std::function<void()> portFailed;
    // The port's device went away (a pulled USB adapter) while polling: polling has ended, the
    // port is closed and the last reading is forgotten. `why` names the device and the reason.
    std::function<void(const std::string& why)> portLost;
};

enum class TestResult { NoRig, Polling, PortFailed, BadReadString };

struct LoadSettingsResult {
    bool fileFound = false;
    int itemsRead = 0;                // 14 for a whole file
    std::optional<int> badPortInFile; // a port outside 1..10 (port 1 is used instead)
};

inline constexpr const char* kInvalidCommTitle = "Invalid Comm Settings.";
inline constexpr const char* kInvalidCommText =
    "The comm port that you selected for rig interface is either in use, invalid or the settings that you have "
    "selected are invalid.  Please select another combination or choose None for your rig selection.";
inline constexpr const char* kChangeFrequencyTitle = "Error Changing Frequency";
inline constexpr const char* kChangeModeTitle = "Error Changing Mode";
// The logging window's status line when the rig's port has gone away (the rig setup names the
// device and the reason).
inline constexpr const char* kPortLostStatus = "Rig port lost.  Ctrl+R, Test opens it again.";

// The folder of the Ten Tec Pegasus exchange files PEGASUS.IN and PEGASUS.OUT:
// $PALMETAR_PEGASUS when set, else $HOME/Pegasus.
std::string PegasusFolder(const Session& session);

class RigControl {
public:
    explicit RigControl(Session& session);
    ~RigControl();
    RigControl(const RigControl&) = delete;
    RigControl& operator=(const RigControl&) = delete;

    // --- Settings (the setup dialog's state) ---
    RigSettings& Settings() { return settings_; }
    const RigSettings& Settings() const { return settings_; }
    // The rig type in use: the profile's RigType, which the settings file replaces on load.
    const std::string& RigType() const;
    void SetRigType(const std::string& name);
    // The dialog's load: RigCntrl.txt of the program folder (the name found ignoring case) over
    // the design state, its rig type replacing the profile's, then the band plan's E rows. With
    // no file, the profile's rig type gets its row of the rig list, so a rig named in the
    // profile is polled with its own commands. A port outside 1..10 becomes port 1.
    LoadSettingsResult LoadRigSettings();
    // Writes RigCntrl.txt (whole, replacing the old file); "Unable to write file." on failure.
    bool SaveRigSettings();
    void LoadExtraBandPlan();
    const std::vector<BandPlanRow>& ExtraBandPlan() const { return extraBandPlan_; }
    bool Loaded() const { return loaded_; }

    // --- The link and the poll cycle ---
    // "Test": recomputes the settings text, opens the port (not for Pegasus), runs one tick and
    // starts the poll timer. A read string that must be hex pairs and is not is refused with a
    // message naming it; a port that does not open is reported ("Invalid Comm Settings.").
    TestResult Test();
    // "End Test": the poll timer stops, any command in progress ends, the port closes.
    void EndTest();

    // The end of the run: the Yaesu closing bytes while polling, then as End Test.
    void Unload();
    // True while polling runs (also while a frequency command holds the poll timer).
    bool Polling() const;
    // A "Mode by:" option was chosen: the mode is forgotten until the next reply.
    void ModeByChanged();
    // The poll timer's handler: a send tick or a receive tick.
    void Tick();
    int PollIntervalMs() const { return interval_; }

    // --- Commands ---
    // Tunes the radio (with the band plan's mode first). Acts only while polling runs; the poll
    // timer pauses for it. A frequency that the rig's command cannot carry is refused with a
    // message and polling goes on.
    void ChangeFrequency(double mhz);
    // The message ChangeFrequency would refuse this frequency with ("" when it would act or do
    // nothing), so a caller can stop what repeats it before the message opens.
    std::string FrequencyRefusal(double mhz) const;
    // Sets the radio's mode; an empty mode takes the band plan's mode for the frequency. Acts
    // whenever a rig type other than "None" is chosen, polling or not.
    void ChangeMode(double mhz, const std::string& mode);
    bool CommandInProgress() const { return !steps_.empty() || stepRunning_; }
    // Bytes straight to the port (the raw-command test window). false with a reason when the
    // port is closed or refuses them.
    bool WriteRaw(const std::string& bytes, std::string* error = nullptr);
    // Whether the CAT port is open.
    bool PortOpen() const;

    // --- Readings ---
    const RigReading& Reading() const { return reading_; }
    const std::string& LastReply() const { return lastReply_; }
    bool AwaitingReply() const { return awaitingReply_; }
    bool LastWasFreqRequest() const { return lastWasFreqRequest_; }
    // Bytes kept of replies not yet read whole (bounded, whatever the rig sends).
    size_t BufferedBytes() const { return pending_.size() + arrived_.size(); }

    RigEvents events;

private:
    struct Step;
    bool OpenRigPort();
    void StartPolling();
    void SendTick();
    void ReceiveTick();
    // Reads a reply: decodes it, shows it and hands the reading to the logging window.
    void receive(const std::string& incoming);
    // Bytes have arrived: a whole answer is read at once rather than at the next tick.
    void onArrival();
    void handOff(const std::string& reply);
    // The port's device has gone: as End Test, and nothing read before reaches a contact.
    void portLost();
    void setPolling(bool polling);
    platform::Timer& pollTimer();
    RigKind kind() const;
    bool writePegasusFile(double mhz);
    // The command steps: delays and output drains as single-shot timers.
    void enqueue(std::vector<Step> steps);
    void runSteps();
    void cancelCommands();
    void appendModeSteps(std::vector<Step>& steps, const std::string& bytes, const std::string& mode);

    Session& session_;
    RigSettings settings_;
    std::vector<BandPlanRow> extraBandPlan_;
    bool loaded_ = false;
    std::unique_ptr<platform::SerialLine> line_;
    std::unique_ptr<platform::Timer> pollTimer_;
    std::unique_ptr<platform::Timer> stepTimer_;
    std::unique_ptr<platform::Timer> notifyTimer_;
    int interval_ = 1000;
    bool polling_ = false;  // what the dialog was last told
    bool inTick_ = false;

    RigReading reading_;
    std::string lastReply_;
    bool awaitingReply_ = false;
    bool lastWasFreqRequest_ = false;
    bool sentThisCycle_ = false;
    std::string pending_;   // a reply still arriving (CI-V frame, unframed binary answer)
    std::string arrived_;   // bytes of this cycle's answer read on arrival, not yet whole
    bool answered_ = false; // this cycle's answer was read on arrival
    int waitingForRest_ = 0;

    std::deque<Step> steps_;
    bool stepRunning_ = false;
    uint64_t generation_ = 0;  // counts cancellations, so a step that outlives one stops
    bool holdingPoll_ = false;  // a frequency command stopped the poll timer and restarts it
};

}  // namespace rig
