#include "logging/EntryKeys.h"

#include <gtest/gtest.h>

#include "Fixtures.h"

using namespace logging;
using F = EntryField;

namespace {

struct Text {
    std::string text;
    int selStart = -1;  // -1: cursor at the end
    int selLength = 0;
};
using Fields = std::vector<std::pair<F, Text>>;

EntryLine Line(const Fields& fields) {
    EntryLine line;
    for (const auto& [field, t] : fields) {
        auto& f = line[field];
        f.text = t.text;
        f.selStart = t.selStart < 0 ? static_cast<int>(t.text.size()) : t.selStart;
        f.selLength = t.selLength;
    }
    return line;
}

station::PrefixTable Prefixes() {
    station::PrefixTable t;
    t.rows = {{"DA", "Germany", "EU", -10, 51}, {"DL", "Germany", "EU", -9, 50}, {"G", "England", "EU", 0, 51},
              {"GI", "Northern Ireland", "EU", 6, 54}};
    return t;
}

const station::PrefixTable kPrefixes = Prefixes();
const station::CountyTable kCounties = fixtures::Counties();  // Alachua, Lee, Palm Beach, Dade, Leon

struct KeyCase {
    const char* name;
    WindowKind kind;
    F field;
    Fields before;
    int16_t key;
    Fields after;  // fields that change (text and selection); the others must stay
    std::vector<F> focus;
    bool mains = false;
    bool tab = false;
    std::optional<int> partialKey = std::nullopt;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class Keys : public testing::TestWithParam<KeyCase> {};

TEST_P(Keys, OutcomeOfOneKey) {
    const auto& c = GetParam();
    LoggingState state;
    state.clock.LoggedOn = true;
    const KeyContext ctx{c.kind, true, "CW", "FL", &kPrefixes, &kCounties};
    EntryLine line = Line(c.before);
    EntryLine want = Line(c.before);
    for (const auto& [field, t] : c.after) {
        want[field].text = t.text;
        want[field].selStart = t.selStart < 0 ? static_cast<int>(t.text.size()) : t.selStart;
        want[field].selLength = t.selLength;
    }
    const KeyEffects fx = KeyPress(line, c.field, c.key, state, ctx);
    for (F f : {F::Call, F::RstReceived, F::Country, F::County, F::RstSent, F::PostConTime, F::PostConDate})
        EXPECT_EQ(line[f], want[f]) << "field " << static_cast<int>(f) << " text '" << line[f].text << "'";
    EXPECT_EQ(fx.focus, c.focus);
    EXPECT_EQ(fx.runMains, c.mains);
    EXPECT_EQ(fx.sendTab, c.tab);
    if (c.field == F::Call) {
        EXPECT_EQ(fx.partialKey, c.partialKey);
    }
    EXPECT_EQ(state.HopCode, 0) << "a hop is over once its key is placed";
}

const auto IN = WindowKind::InState;
const auto OUT = WindowKind::OutOfState;

INSTANTIATE_TEST_SUITE_P(
    CallField, Keys,
    testing::Values(
        KeyCase{"DigitAfterCompleteCallHops", IN, F::Call, {{F::Call, {"K4AB"}}, {F::RstReceived, {"599", 0, 3}}}, '5',
                {{F::RstReceived, {"5", 1}}}, {F::RstReceived}, false, false, 0},
        KeyCase{"DigitAfterSlashStays", IN, F::Call, {{F::Call, {"W4/AB"}}}, '5', {{F::Call, {"W4/AB5"}}}, {}, false, false, '5'},
        KeyCase{"DigitAfterTwoCharactersStays", IN, F::Call, {{F::Call, {"K4"}}}, '5', {{F::Call, {"K45"}}}, {}, false, false, '5'},
        KeyCase{"DigitAfterDigitStays", IN, F::Call, {{F::Call, {"K4A1"}}}, '5', {{F::Call, {"K4A15"}}}, {}, false, false, '5'},
        KeyCase{"DigitInsideTheCallStays", IN, F::Call, {{F::Call, {"K4AB", 2}}}, '5', {{F::Call, {"K45AB", 3}}}, {}, false, false, '5'},
        KeyCase{"LetterUpperCased", OUT, F::Call, {{F::Call, {"k4a"}}}, 'b', {{F::Call, {"k4aB"}}}, {}, false, false, 'B'},
        KeyCase{"EnterLogs", IN, F::Call, {{F::Call, {"K4ABC"}}}, 13, {}, {}, true, false, 0},
        KeyCase{"SpaceMovesOn", IN, F::Call, {{F::Call, {"W1AW/4"}}}, ' ', {}, {F::RstReceived}, false, false, 0},
        KeyCase{"QuoteDropped", IN, F::Call, {{F::Call, {"K4A"}}}, '"', {}, {}, false, false, 0},
        KeyCase{"ShortCallEmptiesCountryInState", IN, F::Call, {{F::Call, {"K"}}, {F::Country, {"Germany"}}}, 13,
                {{F::Country, {"", 0}}}, {}, true, false, 0},
        KeyCase{"ShortCallKeepsCountryOnEnterOutOfState", OUT, F::Call, {{F::Call, {"K"}}, {F::Country, {"X"}}}, 13, {}, {},
                true, false, 0}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    ReportFields, Keys,
    testing::Values(
        KeyCase{"InLetterHopsToCountry", IN, F::RstReceived, {{F::RstReceived, {"599", 0, 3}}}, 'g',
                {{F::Country, {"G", 1}}}, {F::Country}},
        KeyCase{"OutLetterHopsToCountyAndCompletes", OUT, F::RstReceived, {{F::RstReceived, {"599"}}}, 'l',
                {{F::County, {"Leon", 1, 3}}}, {F::County}},
        KeyCase{"OutLetterWithoutCountyStaysALetter", OUT, F::RstReceived, {}, 'x', {{F::County, {"X", 1}}}, {F::County}},
        KeyCase{"SlashDropped", IN, F::RstReceived, {{F::RstReceived, {"5"}}}, '/', {}, {}},
        KeyCase{"DigitTyped", IN, F::RstReceived, {{F::RstReceived, {"5"}}}, '7', {{F::RstReceived, {"57"}}}, {}},
        KeyCase{"MaxLengthKept", IN, F::RstReceived, {{F::RstReceived, {"599"}}}, '9', {}, {}},
        KeyCase{"SpaceToCountryInState", IN, F::RstReceived, {{F::RstReceived, {"599"}}}, ' ', {}, {F::Country}},
        KeyCase{"SpaceToCountyOutOfState", OUT, F::RstReceived, {{F::RstReceived, {"599"}}}, ' ', {}, {F::County}},
        KeyCase{"EnterInReportLogs", OUT, F::RstReceived, {{F::RstReceived, {"599"}}}, 13, {}, {}, true},
        KeyCase{"SentSpaceTabs", IN, F::RstSent, {{F::RstSent, {"599"}}}, ' ', {}, {}, false, true},
        KeyCase{"SentEnterLogs", IN, F::RstSent, {{F::RstSent, {"599"}}}, 13, {}, {}, true},
        KeyCase{"SentLetterStartsTheCountryInState", IN, F::RstSent, {{F::RstSent, {"599"}}, {F::Country, {"FL", 0, 2}}}, 'o',
                {{F::Country, {"O", 1}}}, {F::Country}},
        KeyCase{"SentLetterDroppedOutOfState", OUT, F::RstSent, {{F::RstSent, {"599"}}}, 'o', {}, {}},
        KeyCase{"BackspaceDeletes", IN, F::RstSent, {{F::RstSent, {"599"}}}, 8, {{F::RstSent, {"59"}}}, {}}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    CountyField, Keys,
    testing::Values(
        KeyCase{"DigitHopsToReportSent", IN, F::County, {{F::County, {"Lee"}}, {F::RstSent, {"599", 0, 3}}}, '5',
                {{F::RstSent, {"5", 1}}}, {F::RstSent}},
        KeyCase{"FirstLetterCompletesFromTheLastRow", IN, F::County, {}, 'l', {{F::County, {"Leon", 1, 3}}}, {}},
        KeyCase{"CompletesOnEachKey", OUT, F::County, {{F::County, {"Pa"}}}, 'l', {{F::County, {"Palm Beach", 3, 7}}}, {}},
        KeyCase{"SpaceBeforeABlankIsTakenIn", OUT, F::County, {{F::County, {"Palm Beach", 4, 6}}}, ' ',
                {{F::County, {"Palm Beach", 5, 5}}}, {}},
        KeyCase{"LetterAfterABlankUpperCased", OUT, F::County, {{F::County, {"Palm Beach", 5, 5}}}, 'b',
                {{F::County, {"Palm Beach", 6, 4}}}, {}},
        KeyCase{"SpaceOverACompletionMovesOn", OUT, F::County, {{F::County, {"Alachua", 2, 5}}}, ' ', {}, {F::RstSent}},
        KeyCase{"SpaceAtTheEndMovesOn", IN, F::County, {{F::County, {"Lee"}}}, ' ', {}, {F::RstSent}},
        KeyCase{"SpaceWithOneCharacterLeftIsABlank", OUT, F::County, {{F::County, {"Leon", 3, 1}}}, ' ',
                {{F::County, {"Leo ", 4}}}, {}},
        KeyCase{"LetterAtStartReplacesTheText", OUT, F::County, {{F::County, {"Lee", 0}}}, 'd', {{F::County, {"Dade", 1, 3}}}, {}},
        KeyCase{"UnknownLetterTypedAsItCame", OUT, F::County, {}, 'x', {{F::County, {"X"}}}, {}},
        KeyCase{"EnterInCountyLogs", IN, F::County, {{F::County, {"Lee"}}}, 13, {}, {}, true}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    CountryField, Keys,
    testing::Values(
        KeyCase{"SpaceAcceptsTheHomeState", IN, F::Country, {{F::Country, {"FL", 0, 2}}}, ' ', {}, {F::County}},
        KeyCase{"FirstLetterReplacesThePreset", IN, F::Country, {{F::Country, {"FL", 0, 2}}}, 'g', {{F::Country, {"G"}}}, {}},
        KeyCase{"SecondLetterUpperCased", IN, F::Country, {{F::Country, {"G"}}}, 'a', {{F::Country, {"GA"}}}, {}},
        KeyCase{"SpaceAfterCodeMovesOn", IN, F::Country, {{F::Country, {"GA"}}}, ' ', {}, {F::County}},
        KeyCase{"ThirdLetterNameCaseAndCompletion", IN, F::Country, {{F::Country, {"GE"}}}, 'r',
                {{F::Country, {"Germany", 3, 4}}}, {}},
        KeyCase{"CompletionFromTheLastMatchingRow", IN, F::Country, {{F::Country, {"No"}}}, 'r',
                {{F::Country, {"Northern Ireland", 3, 13}}}, {}},
        KeyCase{"LongerTextIsNeverMangled", IN, F::Country, {{F::Country, {"Germany", 2}}}, 'x',
                {{F::Country, {"Gexrmany", 3}}}, {}},
        KeyCase{"SpaceAfterOneCharacterIsTyped", IN, F::Country, {{F::Country, {"G"}}}, ' ', {{F::Country, {"G "}}}, {}},
        KeyCase{"SpaceOverACompletedNameMovesOn", IN, F::Country, {{F::Country, {"Germany", 3, 4}}}, ' ', {}, {F::County}},
        KeyCase{"DigitTypedAsItComes", IN, F::Country, {{F::Country, {"R"}}}, '1', {{F::Country, {"R1"}}}, {}},
        KeyCase{"EnterInCountryLogs", IN, F::Country, {{F::Country, {"GA"}}}, 13, {}, {}, true}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    PostContestFields, Keys,
    testing::Values(
        KeyCase{"TimeTakesDigitsAndColon", IN, F::PostConTime, {{F::PostConTime, {"9"}}}, ':', {{F::PostConTime, {"9:"}}}, {}},
        KeyCase{"TimeDropsLetters", IN, F::PostConTime, {{F::PostConTime, {"9"}}}, 'a', {}, {}},
        KeyCase{"TimeDropsSlash", IN, F::PostConTime, {{F::PostConTime, {"9"}}}, '/', {}, {}},
        KeyCase{"TimeSpaceTabs", IN, F::PostConTime, {}, ' ', {}, {}, false, true},
        KeyCase{"DateTakesSlash", OUT, F::PostConDate, {{F::PostConDate, {"2016"}}}, '/', {{F::PostConDate, {"2016/"}}}, {}},
        KeyCase{"DateDropsColon", OUT, F::PostConDate, {{F::PostConDate, {"2016"}}}, ':', {}, {}},
        KeyCase{"DateEnterLogs", OUT, F::PostConDate, {{F::PostConDate, {"2016/04/23"}}}, 13, {}, {}, true}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST(EntryKeys, ClockOffNagsOnEveryCallKeyAndStillTypes) {
    LoggingState state;
    const KeyContext ctx{IN, false, "CW", "FL", &kPrefixes, &kCounties};
    EntryLine line = Line({{F::Call, {"K4"}}});
    const auto fx = KeyPress(line, F::Call, 'a', state, ctx);
    EXPECT_EQ(fx.dialog, "Click Log \"Time On\"!");
    EXPECT_EQ(fx.beeps, 1);
    EXPECT_EQ(line.call.text, "K4A");
}

TEST(EntryKeys, CountryCompletionGivesTheRowForContinentAndBearing) {
    LoggingState state;
    const KeyContext ctx{IN, true, "CW", "FL", &kPrefixes, &kCounties};
    EntryLine line = Line({{F::Country, {"GE"}}});
    EXPECT_EQ(KeyPress(line, F::Country, 'r', state, ctx).typeAheadRow, 2);  // the last Germany row
}

TEST(EntryKeys, EmptyTablesCompleteNothing) {
    LoggingState state;
    const KeyContext ctx{IN, true, "CW", "FL", nullptr, nullptr};
    EntryLine line = Line({{F::Country, {"GE"}}});
    KeyPress(line, F::Country, 'r', state, ctx);
    EXPECT_EQ(line.cntry.text, "Ger");
    KeyPress(line, F::County, 'l', state, ctx);
    EXPECT_EQ(line.sec.text, "L");
}

TEST(EntryFocus, PresetsByModeOnlyIntoEmptyReports) {
    struct Case { const char* mode; std::string rstr, rsts, wantR, wantS; };
    for (const Case& c : {Case{"PH", "", "", "59", "59"}, Case{"CW", "", "", "599", "599"}, Case{"DG", "", "", "599", "599"},
                          Case{"ph", "57", "", "57", "59"}}) {
        EntryLine line = Line({{F::RstReceived, {c.rstr}}, {F::RstSent, {c.rsts}}});
        PresetReports(line, c.mode);
        EXPECT_EQ(line.rstr.text, c.wantR) << c.mode;
        EXPECT_EQ(line.rsts.text, c.wantS) << c.mode;
        if (c.rsts.empty()) {
            EXPECT_EQ(line.rsts.selStart, 0);
            EXPECT_EQ(line.rsts.selLength, static_cast<int>(c.wantS.size()));
        }
    }
    EXPECT_EQ(ReportMaxLength("PH"), 2);
    EXPECT_EQ(ReportMaxLength("DG"), 3);
}

TEST(EntryFocus, EnteringFields) {
    const KeyContext in{IN, true, "CW", "FL", &kPrefixes, &kCounties};
    EntryLine line = Line({{F::RstReceived, {"599"}}, {F::RstSent, {"599"}}});
    auto call = GotFocus(line, F::Call, in, 1, 5, 30);
    EXPECT_EQ(line.rstr.text, "");
    EXPECT_EQ(line.rsts.text, "");
    EXPECT_TRUE(call.hideEditDelete);
    EXPECT_TRUE(call.refillList);
    EXPECT_EQ(call.prompts, std::vector<std::string>{"Call"});
    EXPECT_FALSE(GotFocus(line, F::Call, in, 0, 18, 30).refillList);

    auto cntry = GotFocus(line, F::Country, in, 2, 0, 0);
    EXPECT_EQ(line.cntry, (FieldState{"FL", 0, 2, 30}));
    EXPECT_EQ(cntry.prompts, std::vector<std::string>{"SPC"});

    line.cntry.text = "GA";
    auto away = GotFocus(line, F::County, in, 2, 0, 0);
    EXPECT_EQ(away.focus, std::vector<F>{F::RstSent});
    EXPECT_EQ(away.countyCaptionEnabled, false);
    EXPECT_EQ(away.prompts, std::vector<std::string>{"County"});
    line.cntry.text = "fl";
    auto home = GotFocus(line, F::County, in, 0, 0, 0);
    EXPECT_TRUE(home.focus.empty());
    EXPECT_EQ(home.countyCaptionEnabled, true);

    const KeyContext out{OUT, true, "CW", "FL", &kPrefixes, &kCounties};
    line.cntry.text = "GA";
    EXPECT_TRUE(GotFocus(line, F::County, out, 0, 0, 0).focus.empty());
}

TEST(EntryFocus, PostContestDateOfferedOnlyWhenEmpty) {
    FieldState date{"", 0, 0, 10};
    PostConDateGotFocus(date, {2026, 4, 5, 23, 59, 0, 0});
    EXPECT_EQ(date, (FieldState{"2026/04/05", 0, 10, 10}));
    date = {"2016/04/2", 9, 0, 10};
    PostConDateGotFocus(date, {2026, 4, 5, 23, 59, 0, 0});
    EXPECT_EQ(date.text, "2016/04/2");
    EXPECT_EQ(date.selStart, 9);
}

}  // namespace
