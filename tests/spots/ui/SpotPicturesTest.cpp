// Pictures of the spot panel and the spectrum map with spots of several ages, for looking at
// them as an operator would. Runs only when PALMETAR_SCREENSHOTS names a folder to write to.

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>

#include "spots/ui/SpectrumMap.h"
#include "station/Tables.h"
#include "window/ui/LoggingWindowFixture.h"
#include "window/ui/ToolWindows.h"

namespace {
struct Spot {
    const char* call;
    const char* kHz;
    int ageMinutes;
};
const Spot kSpots[] = {
    {"JA1ABC", "14025.0", 55}, {"VP8/G3ABC", "14031.5", 40}, {"ZS6ABC", "14012.0", 25}, {"LU1ABC", "14040.2", 12},
    {"K1ABC/M", "14056.0", 8}, {"DL/ON4ABC", "14008.3", 4},  {"UA9ABC", "14019.9", 2},  {"VK2ABC", "7012.0", 30},
    {"EA8ABC", "7025.5", 6},   {"PY2ABC", "21025.0", 9},     {"ZL1ABC", "28020.0", 1}, {"W1AW", "3525.0", 15},
    {"KH6ABC", "50110.0", 3},  {"VE3ABC", "144050.0", 20},  {"G4ABC", "10110.0", 5},  {"OH2ABC", "18080.0", 7},
    {"9A2ABC", "24895.0", 11}, {"JA1ABC", "14026.0", 0},
};

void Feed(LoggingWindowFixture& f) {
    auto& clock = f.ts.fakes.clock;
    clock.advanceSeconds(-60 * 60);
    int minutesAgo = 60;
    // Oldest first, as they would have arrived.
    std::vector<Spot> spots(std::begin(kSpots), std::end(kSpots));
    std::stable_sort(spots.begin(), spots.end(), [](const Spot& a, const Spot& b) { return a.ageMinutes > b.ageMinutes; });
    for (const auto& s : spots) {
        clock.advanceSeconds((minutesAgo - s.ageMinutes) * 60);
        minutesAgo = s.ageMinutes;
        char line[128];
        // Frequency in columns 16-24, call from 27, comment from 40, time from 71, locator from 77.
        std::snprintf(line, sizeof line, "DX de K1TTT:   %9s  %-13s%-31s%04dZ FN32\r\n", s.kHz, s.call, "CQ",
                      1200 + s.ageMinutes);
        f.ts->spotReceiver.Receive(line);
    }
    clock.advanceSeconds(minutesAgo * 60);
}
}  // namespace

TEST(SpotPictures, BandMapSpotListAndSpectrumMap) {
    const char* folder = std::getenv("PALMETAR_SCREENSHOTS");
    if (!folder) GTEST_SKIP() << "set PALMETAR_SCREENSHOTS to a folder to write the pictures";
    const QSize screen = QApplication::primaryScreen()->size();
    struct Shot {
        bool out, list;
    };
    for (const Shot shot : {Shot{false, false}, Shot{false, true}, Shot{true, false}}) {
        const bool list = shot.list;
        LoggingWindowFixture f(shot.out, screen.width(), screen.height());
        f.ts.copyDataFile("arrlpre2.txt");
        station::LoadPrefixTable(*f.ts);
        f.ts->profile.CurrentBand = "20";
        f.ts->profile.ShowTaskbar = 1;
        auto& w = f.open();
        w.show();
        QApplication::processEvents();
        f.ts->Form1.PacketResize("Telnet", list);
        Feed(f);
        w.txtCall->setFocus();
        QApplication::processEvents();
        EXPECT_TRUE(w.grab().save(QStringLiteral("%1/%2-%3.png").arg(folder).arg(shot.out ? "outfrm" : "infrm").arg(list ? "spotlist" : "bandmap")));
        if (std::getenv("PALMETAR_SCREENSHOT_PAUSE")) {
            QTimer::singleShot(std::atoi(std::getenv("PALMETAR_SCREENSHOT_PAUSE")), qApp, &QApplication::quit);
            qApp->exec();
        }
        if (list || shot.out) continue;
        spots::ui::RegisterSpotWindows();
        auto& tools = window::ui::ToolWindows::instance();
        QTimer::singleShot(300, [&] {
            QWidget* map = tools.loaded(window::ToolWindow::SpectrumMap);
            ASSERT_TRUE(map);
            EXPECT_TRUE(map->grab().save(QStringLiteral("%1/spectrum-map.png").arg(folder)));
            const char* pause = std::getenv("PALMETAR_SCREENSHOT_PAUSE");
            QTimer::singleShot(pause ? std::atoi(pause) : 0, map, [map] { map->hide(); });
        });
        tools.open(window::ToolWindow::SpectrumMap, window::OpenWay::ModalThenUnload, *f.ts, &w);
        tools.unregisterFactory(window::ToolWindow::SpectrumMap);
    }
}
