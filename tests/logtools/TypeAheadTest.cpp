#include <gtest/gtest.h>

#include "logtools/TypeAhead.h"

using logtools::CaretStartRule;
using station::FieldState;

namespace {

const std::vector<std::string> kCounties{"Baker", "Bay", "Bradford", "Brevard", "Broward", "Palm Beach", "Pasco",
                                         "Pinellas", "St. Johns", "St. Lucie"};

struct Typed {
    std::string text;
    int caret;
    int selLength;
};

Typed after(FieldState f, const std::string& keys, CaretStartRule rule) {
    for (char k : keys) logtools::TypeCountyKey(f, static_cast<int16_t>(static_cast<unsigned char>(k)), kCounties, rule);
    return {f.text, f.caret, f.selLength};
}

}  // namespace

TEST(TypeAhead, CountyCompletion) {
    struct Case {
        const char* what;
        FieldState start;
        std::string keys;
        CaretStartRule rule;
        std::string text;
        int caret, sel;
    };
    const auto edit = CaretStartRule::AllButSpace, change = CaretStartRule::AnyKey;
    const Case cases[] = {
        {"b into empty: capital and the last B county", {"", 0, 0}, "b", edit, "Broward", 1, 6},
        {"typing on narrows", {"", 0, 0}, "bra", edit, "Bradford", 3, 5},
        {"typed part keeps its case", {"", 0, 0}, "pA", edit, "PAsco", 2, 3},
        {"no match enters the key", {"", 0, 0}, "bx", edit, "Bx", 2, 0},
        {"key at the start replaces selected text", {"Orange", 0, 6}, "p", change, "Pinellas", 1, 7},
        {"backspace at the start empties", {"Orange", 0, 0}, "\b", edit, "", 0, 0},
        {"space at the start of the edit field inserts", {"Orange", 0, 0}, " ", edit, " Orange", 1, 0},
        {"space at the start of the county change field replaces", {"Orange", 0, 0}, " ", change, " ", 1, 0},
        {"capital after a blank while completion stands after the caret", {"", 0, 0}, "st. l", edit, "St. Lucie", 5, 4},
        {"no capital after a blank at the end of the text", {"Xy", 2, 0}, " b", change, "Xy b", 4, 0},
        {"capital after a blank completes the second word", {"Palm", 4, 0}, " b", change, "Palm Beach", 6, 4},
    };
    for (const auto& c : cases) {
        const auto r = after(c.start, c.keys, c.rule);
        EXPECT_EQ(r.text, c.text) << c.what;
        EXPECT_EQ(r.caret, c.caret) << c.what;
        EXPECT_EQ(r.selLength, c.sel) << c.what;
    }
}

TEST(TypeAhead, CompletionTakesTheLastMatchingRowAndNeverAShorterOne) {
    FieldState f;
    int16_t key = 'B';
    logtools::CompleteFromTable(f, key, {"Bay", "Baker", "Ba"});
    EXPECT_EQ(key, 0);
    EXPECT_EQ(f.text, "Ba");
    EXPECT_EQ(f.selLength, 1);
    FieldState g{"Ba", 2, 0};
    key = 'y';
    logtools::CompleteFromTable(g, key, {"Bay", "Ba"});
    EXPECT_EQ(g.text, "Bay");
    EXPECT_EQ(g.selLength, 0);
    FieldState h{"Bay", 3, 0};
    key = 'o';
    logtools::CompleteFromTable(h, key, {"Bay"});
    EXPECT_EQ(key, 'o');  // not consumed: the caller enters it
}

TEST(TypeAhead, SpcStartsCapitalisedThenKeepsCase) {
    const std::vector<std::string> countries{"Germany", "Ghana", "Japan", "Jamaica"};
    FieldState f;
    for (char k : std::string("jap")) {
        int16_t key = k;
        logtools::SpcTypeAhead(f, key, countries);
        station::ApplyKey(f, key);
    }
    EXPECT_EQ(f.text, "Japan");
    EXPECT_EQ(f.caret, 3);
    EXPECT_EQ(f.selLength, 2);
    FieldState ny{"", 0, 0};
    int16_t key = 'n';
    logtools::SpcTypeAhead(ny, key, countries);
    station::ApplyKey(ny, key);
    key = 'y';
    logtools::SpcTypeAhead(ny, key, countries);
    station::ApplyKey(ny, key);
    EXPECT_EQ(ny.text, "Ny");  // the short code is upper-cased by Done, not by the keys
}

TEST(TypeAhead, SpcNeverCompletesAStateCodeIntoACountry) {
    // Enter accepts what the field shows: "pa" must stay Pennsylvania, not become Paraguay.
    const std::vector<std::string> countries{"Japan", "Panama", "Paraguay", "Peru", "Nepal", "Netherlands"};
    struct Case {
        const char *keys, *text;
        int selLength;
    };
    for (const Case c : {Case{"pa", "Pa", 0}, Case{"ne", "Ne", 0}, Case{"pe", "Pe", 0}, Case{"pan", "Panama", 3},
                         Case{"ja", "Japan", 3}, Case{"p", "Peru", 3}}) {
        FieldState f;
        for (const char* k = c.keys; *k; ++k) {
            int16_t key = *k;
            logtools::SpcTypeAhead(f, key, countries);
            station::ApplyKey(f, key);
        }
        EXPECT_EQ(f.text, c.text) << c.keys;
        EXPECT_EQ(f.selLength, c.selLength) << c.keys;
    }
}
