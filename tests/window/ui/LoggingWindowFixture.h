#pragma once
// A logging window over a test session: a station profile, three logged contacts, the shipped
// county table, and a fake screen of the size a test asks for.

#include <memory>

#include "station/ContactRecord.h"
#include "station/LogStore.h"
#include "station/Profile.h"
#include "support/TestSession.h"
#include "window/ui/Infrm.h"
#include "window/ui/Outfrm.h"

struct LoggingWindowFixture {
    TestSession ts;
    std::unique_ptr<window::ui::LoggingWindow> window;

    // `devices`: real timers, ports or TCP connections in place of the fakes.
    explicit LoggingWindowFixture(bool outOfState, int screenW = 1024, int screenH = 768,
                                  const TestSession::Devices* devices = nullptr)
        : ts(devices) {
        auto& p = ts->profile;
        p.StationCall = outOfState ? "K1ABC" : "W4XYZ";
        p.StationState = outOfState ? "MA" : "FL";
        p.StationCountry = "USA";
        p.CurrentCounty = "Alachua";
        p.CurrentMode = "CW";
        p.CurrentBand = "40";
        p.HomeState = "FL";
        p.OutOfState = outOfState ? 1 : 0;
        p.FormSizePercent = 100;
        p.RigType = "None";
        p.HoursOffset = 4;
        ts.fakes.screen.screen = {0, 0, screenW * 15.0, screenH * 15.0};
        ts.fakes.screen.workArea = {0, 0, screenW * 15.0, (screenH - 40) * 15.0};
        ts.copyDataFile("county2.txt");
        writeContacts(outOfState);
    }

    void writeContacts(bool outOfState) {
        std::string bytes;
        const char* calls[] = {"N2AA", "VE3BB", "W5CC"};
        const char* spc[] = {"NY", "ON", "TX"};
        for (int i = 0; i < 3; ++i) {
            station::ContactRecord r;
            r.Call = calls[i];
            r.RstSent = "599";
            r.RstReceived = "599";
            if (!outOfState) r.Spc = spc[i];
            else r.County = "Alachua";
            r.QsoDate = "2026/04/25";
            r.QsoTime = "16:0" + std::to_string(i) + ":00";
            r.Mode = "CW";
            r.Band = "40";
            bytes += station::ContactLine(r);
        }
        ts.writeProgramFile("log.txt", bytes);
    }

    window::ui::LoggingWindow& open() {
        if (ts->profile.OutOfState) window = std::make_unique<window::ui::Outfrm>(*ts);
        else window = std::make_unique<window::ui::Infrm>(*ts);
        window->Form_Load();
        return *window;
    }
};
