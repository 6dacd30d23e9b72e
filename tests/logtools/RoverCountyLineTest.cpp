#include <gtest/gtest.h>

#include "logtools/RoverCountyLine.h"

using logtools::RoverAdd;

namespace {
station::CountyTable table() {
    station::CountyTable t;
    for (const char* n : {"DeSoto", "Dade", "Lee", "Orange", "St. Johns", "Sumter"}) t.rows.push_back({n, ""});
    return t;
}
}  // namespace

TEST(RoverCountyLine, KeepsCountiesSortedInTableSpellingAndRefusesRepeats) {
    std::vector<std::string> line;
    struct Step {
        const char* typed;
        RoverAdd result;
    };
    const Step steps[] = {
        {"sumter", RoverAdd::Added},   {"lee", RoverAdd::Added},          {"DESOTO", RoverAdd::Added},
        {"Dade", RoverAdd::Added},     {"LEE", RoverAdd::AlreadyListed},  {"Atlantis", RoverAdd::NotACounty},
        {"", RoverAdd::NotACounty},    {"st. johns", RoverAdd::Added},
    };
    for (const auto& s : steps) EXPECT_EQ(logtools::AddRoverCounty(line, s.typed, table()), s.result) << s.typed;
    // Case-blind order: "Dade" before "DeSoto" although 'S' < 'a' in plain byte order.
    EXPECT_EQ(line, (std::vector<std::string>{"Dade", "DeSoto", "Lee", "St. Johns", "Sumter"}));

    logtools::RemoveRoverCounty(line, 0);
    logtools::RemoveRoverCounty(line, 9);
    logtools::RemoveRoverCounty(line, -1);
    EXPECT_EQ(line.front(), "DeSoto");
    EXPECT_EQ(line.size(), 4u);
}
