#pragma once
// The state one run of the program shares between its windows: the station profile, the contact
// log, the folders and the tables. main() builds one; every test builds its own.

#include <functional>
#include <string>

#include "keying/Keyers.h"
#include "keying/VoiceKeyer.h"
#include "keying/VoiceNavigation.h"
#include "keying/WinKeyKeyer.h"
#include "logging/LoggingState.h"
#include "platform/Platform.h"
#include "rig/RigControl.h"
#include "spots/SpotHistory.h"
#include "spots/SpotReceiver.h"
#include "station/ContactLog.h"
#include "station/KeyerSettings.h"
#include "station/Folders.h"
#include "station/StationProfile.h"
#include "station/Tables.h"
#include "station/XmlPrefs.h"
#include "window/LiveWindowFacade.h"

class Session {
public:
    Session(platform::Services& services, std::string programFolder);

    platform::Services& platform;
    station::Folders folders;
    station::StationProfile profile;
    station::ContactLog log;
    station::PrefixTable prefixes;
    station::StateCoordTable stateCoords;
    station::CountyTable counties;
    // Seconds of operating time counted while logged on (the clock display adds them up).
    double RunningSeconds = 0;
    // The in-state station's own county in upper case, for the CW keyer's county macro.
    std::string CWCounty;
    // The live logging window as rig control and spotting reach it.
    window::LiveWindowFacade Form1{*this};
    // Rig control: its settings, the CAT port, the poll cycle and the frequency and mode
    // commands; readings reach the live window through Form1.
    rig::RigControl rig{*this};
    // The 50 newest DX spots, drawn by the band map and the spectrum map.
    spots::SpotHistory spotHistory;
    // Where every spot source delivers the text it receives; spot lines reach the live window's
    // BandMapSpots through Form1.
    spots::SpotReceiver spotReceiver{[this](const std::string& call, const std::string& frequency,
                                            const std::string& record) { Form1.BandMapSpots(call, frequency, record); }};
    // The voice keyer's settings as loaded at start (wave2.txt).
    station::VoiceKeyerSettings voiceKeyer;
    // The keyers: their shared state (CWBuffer, CWSending, CWInterface, ...), the CW keyer with
    // its settings (cw.txt) and keying worker, and the exclusion of the transmit ports.
    keying::Keyers keyers{*this};
    // The voice keyer (F1-F9 in phone mode, PTT) over voiceKeyer's settings, and the WinKey
    // keyer (the link, WK.txt); both plug themselves into keyers.
    keying::VoiceKeyer phoneKeyer{*this};
    keying::WinKeyKeyer winKey{*this};
    // Score, operating clock, entry flags and entry-line state of the logging window.
    logging::LoggingState contest;
    // SharedUserPreferences.xml in memory.
    station::XmlPrefs xmlPrefs;
    // The version text written into export and submission headers.
    std::string ProgramVersion = "2.4";
    // Opens the in-state or out-of-state logging window (chosen from profile.OutOfState); set by
    // the program at start so setup can open it without knowing the window classes.
    std::function<void(Session&)> openLoggingWindow;
    // The spoken field and duplicate prompts (BlindKeyPhone).
    keying::VoiceNavigation voiceNav{*this};

    // The full path of a file named without a folder (a file of the program folder).
    std::string programFile(const std::string& name) const;
};
