#pragma once
// A rig on the other end of the CAT link, for tests and benchmarks: it keeps a frequency and a
// mode and answers the read and set commands of one command family the way the radios do. It
// can echo CI-V frames as the shared bus does, put junk bytes in front of its replies, and the
// program around it (emulator/rig_emulator.cpp) can cut replies in two.

#include <cstdint>
#include <string>
#include <vector>

namespace fakes {

class RigEmulator {
public:
    // Families: "kenwood" (TS-2000 command set; also Elecraft and "Kenwood 2"), "ftdx9000",
    // "civ" (Icom, Omni VI; "civ4" answers four frequency bytes like the IC-735), "yaesu"
    // (FT-817 five-byte commands), "yaesu757", "yaesu890", "yaesu920", "yaesu990",
    // "yaesu1000d", "yaesu1000", "tentec" (front panel), "orion".
    struct Options {
        std::string family = "kenwood";
        int civAddress = 0x64;     // the rig's CI-V address
        bool echo = false;         // CI-V: every frame on the bus comes back to its sender
        std::string junk;          // bytes put in front of every reply
    };
    explicit RigEmulator(Options options);
    static bool knownFamily(const std::string& family);

    void setFrequencyHz(uint64_t hz) { hz_ = hz; }
    // "CW", "CW-R", "USB", "LSB", "AM", "FM", "RTTY"
    void setMode(const std::string& mode) { mode_ = mode; }
    void setJunk(const std::string& junk) { options_.junk = junk; }
    void setEcho(bool echo) { options_.echo = echo; }
    uint64_t frequencyHz() const { return hz_; }
    const std::string& mode() const { return mode_; }

    // Bytes from the controller; returns what the rig sends back (empty when nothing).
    std::string receive(const std::string& bytes);
    // What the controller changed, in order: "freq <Hz>", "mode <name>".
    std::vector<std::string> changes;

private:
    std::string kenwood(const std::string& command);
    std::string ftdx(const std::string& command);
    std::string civ(const std::string& frame);
    std::string yaesu(const std::string& block);
    std::string tentec(const std::string& command);
    std::string orion(const std::string& command);
    void setFrequency(uint64_t hz);
    void changeMode(const std::string& mode);

    Options options_;
    uint64_t hz_ = 14025000;
    std::string mode_ = "CW";
    std::string pending_;
    int vfo_ = 0;
};

}  // namespace fakes
