#pragma once
// A session in a fresh temporary program folder, with the user folders beside it.

#include <filesystem>
#include <memory>
#include <string>

#include "station/Session.h"
#include "support/Fakes.h"

class TestSession {
public:
    TestSession();
    ~TestSession();
    TestSession(const TestSession&) = delete;
    TestSession& operator=(const TestSession&) = delete;

    fakes::FakeServices fakes;
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
