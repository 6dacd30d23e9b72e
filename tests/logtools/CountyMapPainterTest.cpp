#include <gtest/gtest.h>

#include "logtools/CountyHotSpots.h"
#include "logtools/CountyMapPainter.h"
#include "logtools/RgbImage.h"
#include "support/Fakes.h"

using logtools::RgbImage;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0xFF0000;

// Draws a picture from rows of '.' (white) and '#' (black).
RgbImage picture(const std::vector<std::string>& rows) {
    RgbImage img(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), kWhite);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (rows[static_cast<size_t>(y)][static_cast<size_t>(x)] == '#') img.set(x, y, kBlack);
    return img;
}

std::vector<std::string> render(const RgbImage& img) {
    std::vector<std::string> rows;
    for (int y = 0; y < img.height; ++y) {
        std::string row;
        for (int x = 0; x < img.width; ++x) {
            const uint32_t c = img.at(x, y);
            row += c == kWhite ? '.' : c == kBlack ? '#' : 'o';
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

TEST(FloodFill, FillsTheClosedAreaOnlyAndStopsAtDiagonalBorders) {
    // The inner area is closed by a border that runs diagonally: a fill through up, down, left
    // and right steps must not slip through the corners.
    auto img = picture({
        "..........",
        "...####...",
        "..#....#..",
        ".#......#.",
        "..#....#..",
        "...####...",
        "..........",
    });
    EXPECT_EQ(logtools::FloodFill(img, 4, 3, kRed), 14);
    EXPECT_EQ(render(img), (std::vector<std::string>{
        "..........",
        "...####...",
        "..#oooo#..",
        ".#oooooo#.",
        "..#oooo#..",
        "...####...",
        "..........",
    }));
    // An area with a concave shape is filled whole (the scan must seed both sides of a run).
    auto u = picture({"#.#.#", "#.#.#", "#...#", "#####"});
    EXPECT_EQ(logtools::FloodFill(u, 1, 0, kRed), 7);
    EXPECT_EQ(render(u)[0], "#o#o#");
}

TEST(FloodFill, NothingChangesForASeedOutsideOrTheSameColour) {
    auto img = picture({"...", "..."});
    EXPECT_EQ(logtools::FloodFill(img, -1, 0, kRed), 0);
    EXPECT_EQ(logtools::FloodFill(img, 3, 0, kRed), 0);
    EXPECT_EQ(logtools::FloodFill(img, 0, 0, kWhite), 0);
    EXPECT_EQ(render(img), (std::vector<std::string>{"...", "..."}));
    // A large area is filled without running out of stack.
    RgbImage big(2000, 2000, kWhite);
    EXPECT_EQ(logtools::FloodFill(big, 1000, 1000, kRed), 2000 * 2000);
}

TEST(CountyMapPainter, FindsEveryHotSpotIgnoringCase) {
    struct Case {
        const char* name;
        int expected;
    };
    const Case cases[] = {
        {"Escambia", 0}, {"LEE", 66}, {"st. johns", 30}, {"DeSoto", 56}, {"dade", 65},
        {"Miami-Dade", -1}, {"", -1}, {"Lee ", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(logtools::FindCountyHotSpot(c.name), c.expected) << c.name;
}

TEST(CountyMapPainter, SeedsOnceAndGivesEachCountyItsOwnColour) {
    fakes::FakeRandom random;
    random.values = {0.0, 0.5, 0.9999, 0.25, 0.75, 0.1};
    const auto plan = logtools::PlanWorkedCounties({"Lee", "Nowhere", "Escambia"}, random);
    EXPECT_EQ(random.seeds, 1);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0].hotSpot, 66);
    EXPECT_EQ(plan[0].rgb, (0u << 16) | (127u << 8) | 253u);  // channels stay within 0..253
    EXPECT_EQ(plan[1].hotSpot, 0);
    EXPECT_EQ(plan[1].rgb, (63u << 16) | (190u << 8) | 25u);
}

TEST(CountyMapPainter, PaintsFromTheHotSpotCentre) {
    // A blank picture with one closed box around Lee's hot-spot centre.
    RgbImage map(logtools::kCountyMapWidth, logtools::kCountyMapHeight, kWhite);
    const auto& lee = logtools::CountyHotSpots()[66];
    const int cx = lee.centerX(), cy = lee.centerY();
    for (int d = -3; d <= 3; ++d) {
        map.set(cx + d, cy - 3, kBlack);
        map.set(cx + d, cy + 3, kBlack);
        map.set(cx - 3, cy + d, kBlack);
        map.set(cx + 3, cy + d, kBlack);
    }
    EXPECT_EQ(logtools::PaintCounties(map, {{66, kRed}}), 1);
    EXPECT_EQ(map.at(cx, cy), kRed);
    EXPECT_EQ(map.at(cx + 2, cy + 2), kRed);
    EXPECT_EQ(map.at(cx + 4, cy), kWhite);
}
