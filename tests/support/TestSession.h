#pragma once
// A session in a fresh temporary program folder, with the user folders beside it.

#include <filesystem>
#include <memory>
#include <string>

#include "session/Session.h"
#include "support/Fakes.h"

class TestSession {
public:
    TestSession();
    // Real devices in place of the fakes: the program's timers, serial ports and monotonic
    // clock (a test against a real tty); every other service stays a fake.
    struct Devices {
        platform::Scheduler& scheduler;
        platform::SerialPorts& serial;
        platform::Clock& clock;
        // The program's TCP connections too (a test against a loopback server); nullptr keeps
        // the fake.
        platform::TcpClients* tcp = nullptr;
    };
    explicit TestSession(const Devices& devices);
    // As above when devices are given, else the all-fake session.
    explicit TestSession(const Devices* devices);
    ~TestSession();
    TestSession(const TestSession&) = delete;
    TestSession& operator=(const TestSession&) = delete;

    fakes::FakeServices fakes;
    std::unique_ptr<platform::Services> devices;  // the mixed set, when real devices are used
    std::filesystem::path root;  // holds program/ and documents/
    std::unique_ptr<Session> session;

    Session& operator*() { return *session; }
    Session* operator->() { return session.get(); }

    std::string programPath(const std::string& name) const;
    void writeProgramFile(const std::string& name, const std::string& bytes) const;
    std::string readProgramFile(const std::string& name) const;
    // Copies a shipped data file (data/<name>) into the program folder.
    void copyDataFile(const std::string& name) const;
};

std::string readFileBytes(const std::filesystem::path& path);
void writeFileBytes(const std::filesystem::path& path, const std::string& bytes);
