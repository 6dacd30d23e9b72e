#include "session/Session.h"

#include "keying/CwSettings.h"
#include "station/StationSetup.h"
#include "station/WriteForm.h"

Session::Session(platform::Services& services, std::string programFolder)
    : logging::LoggingRun(services, std::move(programFolder)) {
    // Setup reads the keyers' files with its own, in this order, without knowing the keyers.
    loadKeyerSettings = [this] {
        try {
            keying::LoadWaveSettings(*this);
        } catch (const station::FileError&) {
            station::ReportSetupLoadFailure(*this, "wave2.txt");
        }
        keying::LoadCwSettings(*this);
    };
}
