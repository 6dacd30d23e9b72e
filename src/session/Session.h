#pragma once
// One run of the program: the station's part (services, folders, profile, log, tables) and the
// subsystems built on it, wired together. main() builds one; every test builds its own.
//
// This is the composition root: it knows every subsystem, and no subsystem header includes it.
// Subsystem headers forward-declare Session; their sources include this file to reach the
// platform services and each other's state through the run they belong to.

#include <string>

#include "keying/Keyers.h"
#include "keying/VoiceKeyer.h"
#include "keying/VoiceKeyerSettings.h"
#include "keying/VoiceNavigation.h"
#include "keying/WinKeyKeyer.h"
#include "logging/LoggingRun.h"
#include "platform/Platform.h"
#include "rig/RigControl.h"
#include "spots/SpotHistory.h"
#include "spots/SpotReceiver.h"
#include "window/LiveWindowFacade.h"

class Session : public logging::LoggingRun {
public:
    Session(platform::Services& services, std::string programFolder);

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
    keying::VoiceKeyerSettings voiceKeyer;
    // The keyers: their shared state (CWBuffer, CWSending, CWInterface, ...), the CW keyer with
    // its settings (cw.txt) and keying worker, and the exclusion of the transmit ports.
    keying::Keyers keyers{*this};
    // The voice keyer (F1-F9 in phone mode, PTT) over voiceKeyer's settings, and the WinKey
    // keyer (the link, WK.txt); both plug themselves into keyers.
    keying::VoiceKeyer phoneKeyer{*this};
    keying::WinKeyKeyer winKey{*this};
    // The spoken field and duplicate prompts (BlindKeyPhone).
    keying::VoiceNavigation voiceNav{*this};
};
