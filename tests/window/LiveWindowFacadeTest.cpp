#include <gtest/gtest.h>

#include "station/Profile.h"
#include "support/TestSession.h"
#include "window/LiveWindowFacade.h"

using namespace window;

namespace {
struct RecordingWindow : LiveWindowApi {
    std::vector<std::string> calls;
    void BandFreqConversion(double f) override { calls.push_back("BandFreqConversion " + std::to_string(f)); }
    void ModeSelection(const std::string& m) override { calls.push_back("ModeSelection " + m); }
    void PacketResize(const std::string& s, bool list) override {
        calls.push_back("PacketResize " + s + (list ? " list" : " map"));
    }
    void DisplayBandMapLabels() override { calls.push_back("DisplayBandMapLabels"); }
    void BandMapSpots(const std::string& c, const std::string& f, const std::string& r) override {
        calls.push_back("BandMapSpots " + c + " " + f + " " + r);
    }
    std::string call = "W4ABC";
    void Mains() override { calls.push_back("Mains"); }
    std::string CallText() const override { return call; }
    void SetCallText(const std::string& c) override { calls.push_back("SetCallText " + c); }
    void SetDialogCaption(const std::string& c) override { calls.push_back("SetDialogCaption " + c); }
    void SetDupeCaption(const std::string& c) override { calls.push_back("SetDupeCaption " + c); }
    void SpotCallToCallField(const std::string& c) override { calls.push_back("SpotCallToCallField " + c); }
    void FocusCallField() override { calls.push_back("FocusCallField"); }
};

void callEverything(LiveWindowFacade& f) {
    f.BandFreqConversion(14.25f);
    f.ModeSelection("PH");
    f.PacketResize("Telnet", true);
    f.DisplayBandMapLabels();
    f.BandMapSpots("K1ABC", "14025.0", "DX de W1AW: ...");
    f.Mains();
    f.SetCallText("K4XYZ");
    f.SetDialogCaption("CQ");
    f.SetDupeCaption("dupe");
    f.SpotCallToCallField("JA1ABC");
    f.FocusCallField();
}
}  // namespace

TEST(LiveWindowFacade, ForwardsToTheWindowThatTheCurrentFlagSelects) {
    TestSession ts;
    RecordingWindow in, out;
    auto& form1 = ts->Form1;
    form1.attach(WindowKind::InState, &in);
    form1.attach(WindowKind::OutOfState, &out);

    ts->profile.OutOfState = 1;
    callEverything(form1);
    EXPECT_TRUE(in.calls.empty());
    ASSERT_EQ(out.calls.size(), 11u);
    EXPECT_EQ(out.calls[1], "ModeSelection PH");
    EXPECT_EQ(out.calls[2], "PacketResize Telnet list");
    EXPECT_EQ(out.calls[4], "BandMapSpots K1ABC 14025.0 DX de W1AW: ...");
    EXPECT_EQ(out.calls[5], "Mains");
    EXPECT_EQ(out.calls[8], "SetDupeCaption dupe");
    out.call = "K1OUT";
    EXPECT_EQ(form1.CallText(), "K1OUT");
    EXPECT_EQ(out.calls[9], "SpotCallToCallField JA1ABC");

    ts->profile.OutOfState = 0;  // decided at each call, not when attached
    form1.ModeSelection("CW");
    EXPECT_EQ(in.calls, std::vector<std::string>{"ModeSelection CW"});
}

TEST(LiveWindowFacade, WithNoLiveWindowNothingIsCreatedAndNothingHappens) {
    TestSession ts;
    RecordingWindow out;
    ts->Form1.attach(WindowKind::OutOfState, &out);
    ts->profile.OutOfState = 0;  // the in-state window was never opened
    callEverything(ts->Form1);
    EXPECT_TRUE(out.calls.empty());
    EXPECT_EQ(ts->Form1.CallText(), "");  // a keyer's "!" finds no call to log

    ts->profile.OutOfState = 1;
    ts->Form1.lblDXVisible = true;
    ts->Form1.Unload();
    callEverything(ts->Form1);
    EXPECT_TRUE(out.calls.empty());
    EXPECT_FALSE(ts->Form1.lblDXVisible);
}

TEST(LiveWindowFacade, SavePrefWritesTheProfile) {
    TestSession ts;
    ts->profile.StationCall = "W4ABC";
    ts->profile.CurrentBand = "20";
    ts->Form1.SavePref();
    EXPECT_NE(ts.readProgramFile("QSOpref.txt").find("\"W4ABC\""), std::string::npos);
    EXPECT_STREQ(LiveWindowFacade::Caption, "Form1");
}
