// Voice-navigation prompts: which file a prompt plays, silence for a missing file, and the
// hold that lets "Dupe" be heard whole without anything waiting for it.

#include <gtest/gtest.h>

#include <filesystem>

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
