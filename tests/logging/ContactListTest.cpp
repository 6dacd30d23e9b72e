#include "logging/ContactList.h"

#include <gtest/gtest.h>

#include "Fixtures.h"

using namespace logging;
using fixtures::Rec;

namespace {

station::ContactLog LogOf(int n) {
    station::ContactLog log;
    for (int i = 1; i <= n; ++i) log.records().push_back(Rec("K" + std::to_string(i)));
    return log;
}

std::vector<int> Records(const std::vector<ContactRow>& rows) {
    std::vector<int> out;
    for (const auto& r : rows) out.push_back(r.record);
    return out;
}

TEST(ContactList, NewestTwentyOrAll) {
    struct Case { int count; bool all; int first, last; size_t rows; };
    for (const Case& c : {Case{0, false, 0, 0, 0}, Case{19, false, 19, 1, 19}, Case{20, false, 20, 1, 20},
                          Case{21, false, 21, 2, 20}, Case{500, true, 500, 1, 500}, Case{500, false, 500, 481, 20}}) {
        const auto rows = FillContactList(LogOf(c.count), WindowKind::InState, false, c.all);
        ASSERT_EQ(rows.size(), c.rows) << c.count;
        if (rows.empty()) continue;
        EXPECT_EQ(rows.front().record, c.first);
        EXPECT_EQ(rows.back().record, c.last);
        EXPECT_EQ(rows.front().cells[0], std::to_string(c.first));
    }
    EXPECT_STREQ(ListButtonCaption(false), "Last 20");
    EXPECT_STREQ(ListButtonCaption(true), "All");
}

TEST(ContactList, ColumnsAndCellsPerWindow) {
    const auto r = Rec("W1AW").spc("CT").county("Lee").sent("Dade").at("2016/04/23", "14:05:33").r;
    auto headings = [](const std::vector<ContactColumn>& cols) {
        std::vector<std::string> out;
        for (const auto& c : cols) out.push_back(c.heading);
        return out;
    };
    using Names = std::vector<std::string>;
    EXPECT_EQ(headings(ContactListColumns(WindowKind::InState, false)),
              (Names{"Rec#", "Call", "Rec", "SPC", "County", "Snt", "Date/Time", "Mo", "Bnd"}));
    EXPECT_EQ(headings(ContactListColumns(WindowKind::InState, true)).back(), "County Sent");
    EXPECT_EQ(headings(ContactListColumns(WindowKind::OutOfState, true)),
              (Names{"Rec#", "Call", "Rec", "County", "Snt", "Date/Time", "Mo", "Bnd"}));
    EXPECT_EQ(RowOf(r, 7, WindowKind::InState, true).cells,
              (Names{"7", "W1AW", "", "CT", "Lee", "", "04/23 14:05", "CW", "40", "Dade"}));
    EXPECT_EQ(RowOf(r, 7, WindowKind::OutOfState, true).cells,
              (Names{"7", "W1AW", "", "Lee", "", "04/23 14:05", "CW", "40"}));
    // A post-contest time without seconds.
    EXPECT_EQ(RowOf(Rec("W1AW").at("2016/04/23", "09:30").r, 1, WindowKind::InState, false).cells[6], "04/23 09:30");
}

TEST(ContactList, EditAndDeleteNeedASelectedRecord) {
    const auto log = LogOf(12);
    EXPECT_EQ(SelectedRecord(log, "12"), 12);
    EXPECT_EQ(SelectedRecord(log, ""), 0);
    EXPECT_EQ(SelectedRecord(log, "13"), 0);
    EXPECT_EQ(SelectedRecord(log, "0"), 0);
    EXPECT_EQ(SelectedRecord(log, "x"), 0);
    EXPECT_EQ(Records(FillContactList(log, WindowKind::OutOfState, false, false)).size(), 12u);
}

}  // namespace
