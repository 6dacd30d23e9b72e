// Voice-navigation prompts: which file a prompt plays, silence for a missing file, and the
// hold that lets "Dupe" be heard whole without anything waiting for it.

#include <gtest/gtest.h>

#include <filesystem>

#include "station/Profile.h"
#include "support/TestSession.h"

namespace {

std::vector<std::string> Names(const std::vector<std::string>& paths) {
    std::vector<std::string> out;
    for (const auto& p : paths) out.push_back(std::filesystem::path(p).filename().string());
    return out;
}

TEST(VoiceNavigation, PlaysTheProgramFoldersWaveFileAndIsSilentWithoutIt) {
    TestSession ts;
    ts.writeProgramFile("Call.wav", "RIFF");
    ts.writeProgramFile("rstrcvd.wav", "RIFF");  // a name in another case is still found
    auto& nav = ts->voiceNav;
    auto& player = ts.fakes.wave;
    nav.BlindKeyPhone("Call");
    ASSERT_EQ(player.played.size(), 1u);
    EXPECT_EQ(player.played[0], ts.programPath("Call.wav"));
    EXPECT_TRUE(nav.playing());
    nav.BlindKeyPhone("RstRcvd");
    EXPECT_EQ(Names(player.played), (std::vector<std::string>{"Call.wav", "rstrcvd.wav"}));
    // A prompt without a file is not heard, and it still ends the one playing.
    nav.BlindKeyPhone("SPC");
    EXPECT_EQ(player.played.size(), 2u);
    EXPECT_FALSE(nav.playing());
}

// Steps: "dupeN" = the duplicate prompt with VoiceNavMode N, a prompt name = BlindKeyPhone,
// "end" = the file playing comes to its end.
struct HoldCase {
    const char* name;
    std::vector<std::string> files;  // prompts that have a wave file
    std::vector<std::string> steps;
    std::vector<std::string> heard;  // files started, in order
    bool playingAfter;
};

class PromptHold : public testing::TestWithParam<HoldCase> {};

TEST_P(PromptHold, DupeIsHeardWholeOnlyWithNavigationOn) {
    const auto& c = GetParam();
    TestSession ts;
    for (const auto& f : c.files) ts.writeProgramFile(f + ".wav", "RIFF");
    for (const auto& step : c.steps) {
        if (step == "end") ts.fakes.wave.finish();
        else if (step.rfind("dupe", 0) == 0) ts->voiceNav.PlayDupe(std::stoi(step.substr(4)));
        else ts->voiceNav.BlindKeyPhone(step);
    }
    std::vector<std::string> heard;
    for (const auto& n : Names(ts.fakes.wave.played)) heard.push_back(n.substr(0, n.size() - 4));
    EXPECT_EQ(heard, c.heard);
    EXPECT_EQ(ts->voiceNav.playing(), c.playingAfter);
}

const std::vector<std::string> kAll = {"Dupe", "Call", "RstRcvd", "RstSnt"};

INSTANTIATE_TEST_SUITE_P(
    VoiceNavigation, PromptHold,
    testing::Values(
        // Navigation off: "Dupe" plays and nothing waits for it.
        HoldCase{"OffDupeIsCutOff", kAll, {"dupe0", "Call"}, {"Dupe", "Call"}, true},
        // On: the call field's prompt waits until "Dupe" has ended.
        HoldCase{"OnCallWaitsForDupe", kAll, {"dupe1", "Call"}, {"Dupe"}, true},
        HoldCase{"OnCallFollowsDupe", kAll, {"dupe1", "Call", "end"}, {"Dupe", "Call"}, true},
        // Of the prompts asked for meanwhile only the last is still worth hearing.
        HoldCase{"OnLastWaitingPromptPlays", kAll, {"dupe2", "Call", "RstRcvd", "end"}, {"Dupe", "RstRcvd"}, true},
        HoldCase{"OnNothingWaiting", kAll, {"dupe2", "end"}, {"Dupe"}, false},
        // After the hold, prompts cut each other off again.
        HoldCase{"HoldEndsWithDupe", kAll, {"dupe1", "end", "Call", "RstSnt"}, {"Dupe", "Call", "RstSnt"}, true},
        // A second duplicate while the first is heard: heard whole after it, then the call.
        HoldCase{"SecondDupeWaits", kAll, {"dupe1", "Call", "dupe1", "end", "Call", "end"}, {"Dupe", "Dupe", "Call"},
                 true},
        // No Dupe.wav: nothing to wait for.
        HoldCase{"MissingDupeHoldsNothing", {"Call"}, {"dupe1", "Call"}, {"Call"}, true},
        // The end of a prompt that was not held changes nothing.
        HoldCase{"EndOfAnOrdinaryPrompt", kAll, {"Call", "end", "RstRcvd"}, {"Call", "RstRcvd"}, true}),
    [](const testing::TestParamInfo<HoldCase>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

const std::vector<std::string> kEvery = {"Call", "SPC", "RstRcvd", "RstSnt", "County", "Dupe", "NavEn", "NavDis"};

std::vector<std::string> Heard(TestSession& ts) {
    std::vector<std::string> heard;
    for (const auto& n : Names(ts.fakes.wave.played)) heard.push_back(n.substr(0, n.size() - 4));
    return heard;
}

// The window's options speak; steps as above plus "optN" = choosing option N, "load" = the
// window's load with the stored mode.
struct OptionCase {
    const char* name;
    int storedMode;
    std::vector<std::string> steps;
    std::vector<std::string> heard;
};
class VoiceNavOptions : public testing::TestWithParam<OptionCase> {};

TEST_P(VoiceNavOptions, SpeakTheChoiceWithoutChangingTheMode) {
    const auto& c = GetParam();
    TestSession ts;
    for (const auto& f : kEvery) ts.writeProgramFile(f + ".wav", "RIFF");
    ts->profile.VoiceNavMode = static_cast<uint8_t>(c.storedMode);
    for (const auto& step : c.steps) {
        if (step == "end") ts.fakes.wave.finish();
        else if (step == "load") ts->voiceNav.Load();
        else if (step.rfind("opt", 0) == 0) ts->voiceNav.ChooseOption(std::stoi(step.substr(3)));
        else ts->voiceNav.BlindKeyPhone(step);
    }
    EXPECT_EQ(Heard(ts), c.heard);
    EXPECT_EQ(ts->profile.VoiceNavMode, c.storedMode);
}

INSTANTIATE_TEST_SUITE_P(
    VoiceNavigation, VoiceNavOptions,
    testing::Values(
        OptionCase{"OffSaysNavDis", 0, {"load", "opt0"}, {"NavDis", "NavDis"}},
        // Call Only: "NavEn" is heard whole, then "Call"; nothing else runs meanwhile.
        OptionCase{"CallOnlyNavEnThenCall", 0, {"load", "opt1"}, {"NavDis", "NavEn"}},
        OptionCase{"CallOnlyCallAfterTheEnd", 0, {"load", "opt1", "end"}, {"NavDis", "NavEn", "Call"}},
        // Off right after Call Only's "Call" started cuts it off.
        OptionCase{"OffCutsCall", 0, {"load", "opt1", "end", "opt0"}, {"NavDis", "NavEn", "Call", "NavDis"}},
        OptionCase{"AllDataFieldsSaysNavEn", 1, {"load", "end", "opt2"}, {"NavEn", "Call", "NavEn"}},
        OptionCase{"AStoredModeWithoutAnOptionSaysNothing", 7, {"load", "opt5"}, {}},
        // The first prompt of the run loads the window, which speaks the stored mode first; in
        // Call Only "NavEn" is heard whole before the prompt (and "Call" only once).
        OptionCase{"FirstPromptLoadsCallOnly", 1, {"Call"}, {"NavEn"}},
        OptionCase{"FirstPromptLoadsCallOnlyThen", 1, {"Call", "end", "end"}, {"NavEn", "Call"}},
        OptionCase{"FirstPromptLoadsAllFields", 2, {"RstSnt"}, {"NavEn", "RstSnt"}},
        OptionCase{"TheLoadRunsOnce", 2, {"RstSnt", "load", "County"}, {"NavEn", "RstSnt", "County"}}),
    [](const testing::TestParamInfo<OptionCase>& info) { return std::string(info.param.name); });

TEST(VoiceNavigation, DoneStoresTheChoiceInTheProfileFile) {
    TestSession ts;
    ts->profile.VoiceNavMode = 0;
    ts->voiceNav.Done(2);
    EXPECT_EQ(ts->profile.VoiceNavMode, 2);
    TestSession again;
    again.writeProgramFile("QSOpref.txt", ts.readProgramFile("QSOpref.txt"));
    ASSERT_TRUE(station::ReadPreferences(*again));
    EXPECT_EQ(again->profile.VoiceNavMode, 2);
    ts->voiceNav.Done(1);
    EXPECT_EQ(ts->profile.VoiceNavMode, 1);
    ts->voiceNav.Done(0);
    EXPECT_EQ(ts->profile.VoiceNavMode, 0);
}

TEST(VoiceNavigation, UnloadStopsThePromptAndTheNextUseLoadsAgain) {
    TestSession ts;
    for (const auto& f : kEvery) ts.writeProgramFile(f + ".wav", "RIFF");
    ts->profile.VoiceNavMode = 1;
    ts->voiceNav.Load();
    ts->voiceNav.BlindKeyPhone("Call");  // waits for NavEn
    ts->voiceNav.Unload();
    EXPECT_FALSE(ts->voiceNav.playing());
    EXPECT_FALSE(ts.fakes.wave.isPlaying);
    ts.fakes.wave.finish();  // a late end changes nothing
    EXPECT_EQ(Heard(ts), (std::vector<std::string>{"NavEn"}));
    ts->voiceNav.Load();
    EXPECT_EQ(Heard(ts), (std::vector<std::string>{"NavEn", "NavEn"}));
}

}  // namespace
