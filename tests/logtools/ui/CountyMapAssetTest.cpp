// The shipped county map picture and its hot-spot table must fit together: each hot-spot lies
// in its own closed white county, and the names are the county table's names.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "logtools/CountyHotSpots.h"
#include "logtools/RgbImage.h"
#include "station/WriteForm.h"

namespace {

logtools::RgbImage loadMap() {
    QImage img(QStringLiteral(PALMETAR_DATA_DIR "/countymap.png"));
    logtools::RgbImage out;
    if (img.isNull()) return out;
    img = img.convertToFormat(QImage::Format_RGB32);
    out = logtools::RgbImage(img.width(), img.height(), 0);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) out.set(x, y, img.pixel(x, y) & 0xFFFFFF);
    return out;
}

std::string readData(const std::string& name) {
    std::ifstream in(std::string(PALMETAR_DATA_DIR) + "/" + name, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace

TEST(CountyMapAsset, PictureIsTheTwoColourMap) {
    const auto map = loadMap();
    ASSERT_EQ(map.width, logtools::kCountyMapWidth);
    ASSERT_EQ(map.height, logtools::kCountyMapHeight);
    for (uint32_t c : map.pixels) ASSERT_TRUE(c == 0xFFFFFF || c == 0x000000) << std::hex << c;
}

TEST(CountyMapAsset, EveryHotSpotOpensItsOwnClosedCounty) {
    auto map = loadMap();
    ASSERT_EQ(map.width, logtools::kCountyMapWidth);
    const auto& spots = logtools::CountyHotSpots();
    for (size_t i = 0; i < spots.size(); ++i) {
        const auto& s = spots[i];
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(map.contains(s.left, s.top) && map.contains(s.left + s.width - 1, s.top + s.height - 1));
        // White before its own fill: no earlier county's area reached this centre.
        ASSERT_EQ(map.at(s.centerX(), s.centerY()), 0xFFFFFFu);
        const uint32_t mark = static_cast<uint32_t>(i + 1);  // a colour no other county uses
        EXPECT_GT(logtools::FloodFill(map, s.centerX(), s.centerY(), mark), 0);
        for (int x = 0; x < map.width; ++x) {
            ASSERT_NE(map.at(x, 0), mark);
            ASSERT_NE(map.at(x, map.height - 1), mark);
        }
        for (int y = 0; y < map.height; ++y) {
            ASSERT_NE(map.at(0, y), mark);
            ASSERT_NE(map.at(map.width - 1, y), mark);
        }
    }
}

TEST(CountyMapAsset, HotSpotNamesAreTheCountyTableNames) {
    const std::string bytes = readData("county2.txt");
    ASSERT_FALSE(bytes.empty());
    std::multiset<std::string> table;
    station::WriteFormReader reader(bytes);
    reader.skipEmptyLines();
    while (!reader.eof()) {
        const std::string first = reader.readText();
        reader.readText();
        if (first.rfind("FL", 0) == 0) table.insert(first.substr(2));
        reader.skipEmptyLines();
    }
    std::multiset<std::string> spots;
    for (const auto& s : logtools::CountyHotSpots()) spots.insert(s.name);
    EXPECT_EQ(spots, table);
    EXPECT_EQ(spots.size(), 67u);
}
