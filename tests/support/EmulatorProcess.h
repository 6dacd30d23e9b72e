#pragma once
// The rig emulator program (emulator/rig_emulator.cpp) run as a child process on one end of a
// pseudo-terminal pair, and other programs run to their end (Hamlib's rigctl). Each child is
// started here and stopped by its process id.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace fakes {

class EmulatorProcess {
public:
    // Starts rig_emulator with these arguments (--family, --device, ...); ok() once it has
    // said "ready".
    explicit EmulatorProcess(const std::vector<std::string>& arguments);
    ~EmulatorProcess();
    EmulatorProcess(const EmulatorProcess&) = delete;
    EmulatorProcess& operator=(const EmulatorProcess&) = delete;

    bool ok() const { return ready_; }
    // Sends a control line ("freq 7.025", "mode CW", "split 4 30") and waits for its "ok".
    bool command(const std::string& line);
    // The next reported line that starts with `prefix` ("set freq", "rx"), or "" after the time.
    std::string waitFor(const std::string& prefix, std::chrono::milliseconds timeout);
    // Every line reported so far (after reading what is waiting).
    const std::vector<std::string>& lines();

private:
    bool readLine(std::string& line, std::chrono::milliseconds timeout);
    pid_t pid_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
    bool ready_ = false;
    std::string buffer_;
    std::vector<std::string> lines_;
    size_t consumed_ = 0;
};

struct ProgramRun {
    int exitCode = -1;  // -1: did not end in time (it was stopped)
    std::string out;
};
// Runs a program to its end (at most `timeout`) and returns its standard output.
ProgramRun RunProgram(const std::vector<std::string>& command, std::chrono::milliseconds timeout);
// Whether a program is on the PATH.
bool ProgramAvailable(const std::string& name);

}  // namespace fakes
