// The spot panel and the spectrum map with spots of several ages on several bands, as an
// operator sees them: which labels stand where, in which colour, and the list's rows. With
// PALMETAR_SCREENSHOTS naming a folder the windows are also saved there as pictures (taken at
// the real screen's size); PALMETAR_SCREENSHOT_PAUSE (ms) holds each one on the screen.

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>

#include "platform/qt/Text.h"
#include "spots/ui/SpectrumMap.h"
#include "station/Tables.h"
#include "support/qt/AnswerModal.h"
#include "window/ui/LoggingWindowFixture.h"
#include "window/ui/ToolWindows.h"

using platform::qt::fromQ;

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

// Colours as QColor::name() writes them, so a failure reads.
const std::string kYellow = "#ffff80", kWhite = "#ffffff", kGrey = "#c0c0c0";

// What the 20 m band map shows: each caption with its age colour. The first JA1ABC was spotted
// again, so only its newer spot is drawn.
const std::map<std::string, std::string> kTwentyMetres = {
    {"VP8", kGrey},   {"ZS6", kWhite}, {"LU1", kWhite}, {"M", kYellow},
    {"DL", kYellow},  {"UA9", kYellow}, {"JA1", kYellow},
};

const char* picturesFolder() { return std::getenv("PALMETAR_SCREENSHOTS"); }

void save(QWidget& w, const QString& name) {
    const char* folder = picturesFolder();
    if (!folder) return;
    EXPECT_TRUE(w.grab().save(QStringLiteral("%1/%2.png").arg(QString::fromLocal8Bit(folder), name)));
    if (const char* pause = std::getenv("PALMETAR_SCREENSHOT_PAUSE")) QTest::qWait(std::atoi(pause));
}

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

// The captions and colours of the labels shown, each standing on its line.
std::map<std::string, std::string> Shown(const std::array<QLabel*, 50>& labels, const QWidget* line, int onLineTolerance) {
    std::map<std::string, std::string> out;
    for (QLabel* l : labels) {
        if (!l->isVisible()) continue;
        out[fromQ(l->text())] = fromQ(l->palette().color(QPalette::WindowText).name());
        if (line) {
            EXPECT_NEAR(l->geometry().bottom(), line->geometry().top(), onLineTolerance) << fromQ(l->text());
            EXPECT_GE(l->geometry().center().x(), line->geometry().left()) << fromQ(l->text());
            EXPECT_LE(l->geometry().center().x(), line->geometry().right()) << fromQ(l->text());
        }
    }
    return out;
}
}  // namespace

TEST(SpotPictures, BandMapSpotListAndSpectrumMapWithSpotsOfSeveralAges) {
    const QSize screen = picturesFolder() ? QApplication::primaryScreen()->size() : QSize(1024, 768);
    struct Shot {
        bool out, list;
    };
    for (const Shot shot : {Shot{false, false}, Shot{false, true}, Shot{true, false}}) {
        const QString name = QStringLiteral("%1-%2").arg(shot.out ? "outfrm" : "infrm", shot.list ? "spotlist" : "bandmap");
        SCOPED_TRACE(fromQ(name));
        LoggingWindowFixture f(shot.out, screen.width(), screen.height());
        f.ts.copyDataFile("arrlpre2.txt");
        station::LoadPrefixTable(*f.ts);
        f.ts->profile.CurrentBand = "20";
        f.ts->profile.ShowTaskbar = 1;
        auto& w = f.open();
        w.show();
        QApplication::processEvents();
        f.ts->Form1.PacketResize("Telnet", shot.list);
        Feed(f);
        w.txtCall->setFocus();
        QApplication::processEvents();

        if (shot.list) {
            // Every spot has its row, newest first, the country looked up from the call.
            ASSERT_EQ(w.txtDX->topLevelItemCount(), static_cast<int>(std::size(kSpots)));
            const auto* top = w.txtDX->topLevelItem(0);
            EXPECT_EQ(fromQ(top->text(0)), "JA1ABC");
            EXPECT_EQ(fromQ(top->text(1)), "14.026");
            EXPECT_FALSE(top->text(2).isEmpty());
            EXPECT_EQ(fromQ(top->text(6)), "1200");
            EXPECT_EQ(fromQ(w.txtDX->topLevelItem(1)->text(0)), "ZL1ABC");
            EXPECT_TRUE(w.txtDX->geometry().bottom() < w.centralWidget()->height());
        } else {
            // The scale zooms to the 20 m spots, and each label stands on the line in its age's colour.
            EXPECT_EQ(fromQ(w.lblFreqSpot[0]->text()), "14.007");
            EXPECT_EQ(fromQ(w.lblFreqSpot[4]->text()), "14.057");
            EXPECT_EQ(Shown(w.lblDXSpot, w.LineDX, 3 + w.height() / 100), kTwentyMetres);
            EXPECT_TRUE(w.lblDX->geometry().contains(w.LineDX->geometry()));
        }
        save(w, name);
        if (shot.list || shot.out) continue;

        // The spectrum map: every spot but the one spotted again, each on its band's line.
        spots::ui::RegisterSpotWindows();
        auto& tools = window::ui::ToolWindows::instance();
        bool looked = false;
        auto look = [&](spots::ui::SpectrumMap& spectrum) {
            auto* map = &spectrum;
            EXPECT_EQ(map, tools.loaded(window::ToolWindow::SpectrumMap));
            looked = true;
            std::map<std::string, std::string> shown = Shown(map->lblDXSpot, nullptr, 0);
            EXPECT_EQ(shown.size(), std::size(kSpots) - 1);
            for (const auto& [caption, colour] : kTwentyMetres) EXPECT_EQ(shown[caption], colour) << caption;
            EXPECT_EQ(shown["VE3"], kWhite);   // 2 m, 20 minutes
            EXPECT_EQ(shown["VK2"], kGrey);    // 40 m, 30 minutes
            EXPECT_EQ(shown["KH6"], kYellow);  // 6 m, 3 minutes
            // Each label's lower edge lies on one of the eleven lines, within its length.
            for (QLabel* l : map->lblDXSpot) {
                if (!l->isVisible()) continue;
                const QFrame* on = nullptr;
                for (const QFrame* line : map->lineHF)
                    if (std::abs(l->geometry().bottom() - line->geometry().center().y()) <= 2) on = line;
                EXPECT_TRUE(on) << fromQ(l->text());
                if (!on) continue;
                EXPECT_GE(l->geometry().center().x(), on->geometry().left()) << fromQ(l->text());
                EXPECT_LE(l->geometry().center().x(), on->geometry().right()) << fromQ(l->text());
            }
            save(*map, QStringLiteral("spectrum-map"));
        };
        // Only looked at: the map is closed for the answer once its checks are done.
        auto answer = testsupport::AnswerModal<spots::ui::SpectrumMap>(look, testsupport::AfterAnswer::Close);
        tools.open(window::ToolWindow::SpectrumMap, window::OpenWay::ModalThenUnload, *f.ts, &w);
        EXPECT_TRUE(looked);
        tools.unregisterFactory(window::ToolWindow::SpectrumMap);
    }
}
