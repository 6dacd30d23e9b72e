// How the log tools' windows fit themselves to the screen: each is laid out on the 9600 x 7200
// twip reference screen and scaled by its own rule when it loads.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <cstdlib>
#include <functional>
#include <memory>

#include "logtools/ui/DECabrilloIn.h"
#include "logtools/ui/DEEditInfrm.h"
#include "logtools/ui/DEEditOut.h"
#include "logtools/ui/GraphQSO.h"
#include "logtools/ui/frmCountyChange.h"
#include "logtools/ui/frmCountyChangeRover.h"
#include "logtools/ui/frmCountyList.h"
#include "station/Tables.h"
#include "station/ui/FormResize.h"
#include "station/ui/KeyField.h"
#include "support/TestSession.h"

using station::ui::KeyField;

namespace {

constexpr double kDesignFont = 8.25;

enum class Placement { RaisedCentre, Centre, UpperSixth };
enum class FontRule { SmallerRatio, WidthRatioAtMost15 };

struct WindowCase {
    const char* name;
    std::function<std::unique_ptr<QWidget>(Session&)> open;
    Placement placement;
    FontRule fonts;
    std::function<QWidget*(QWidget&)> sample;  // a control whose font follows the rule
};

struct Screen {
    double width, height;  // twips
};

void prepare(TestSession& ts) {
    ts.copyDataFile("county2.txt");
    ts->profile.HomeState = "FL";
    ts->profile.CurrentCounty = "Lee";
    station::LoadCountyTable(*ts);
    station::ContactRecord r;
    r.Call = "W1AW";
    r.RstSent = r.RstReceived = "599";
    r.Spc = "CT";
    r.County = "Lee";
    r.CountySent = "Orange";
    r.QsoDate = "2024/04/27";
    r.QsoTime = "16:00:00";
    r.Band = "20";
    r.Mode = "CW";
    ts->log.records() = {r};
    ts->contest.EditIndex = 1;
}

template <class T>
QWidget* first(QWidget& w) {
    return w.findChildren<T>().value(0);
}

const std::vector<WindowCase>& windows() {
    static const std::vector<WindowCase> cases{
        {"edit-in-state", [](Session& s) { return std::make_unique<DEEditInfrm>(s); }, Placement::RaisedCentre,
         FontRule::SmallerRatio, first<KeyField*>},
        {"edit-out-of-state", [](Session& s) { return std::make_unique<DEEditOut>(s); }, Placement::RaisedCentre,
         FontRule::SmallerRatio, first<KeyField*>},
        {"county-change", [](Session& s) { return std::make_unique<frmCountyChange>(s, nullptr); }, Placement::Centre,
         FontRule::WidthRatioAtMost15, first<QPushButton*>},
        {"rover-county-line", [](Session& s) { return std::make_unique<frmCountyChangeRover>(s); }, Placement::Centre,
         FontRule::WidthRatioAtMost15, first<QLabel*>},
        {"summary-sheet", [](Session& s) { return std::make_unique<DECabrilloIn>(s); }, Placement::Centre,
         FontRule::WidthRatioAtMost15, first<QGroupBox*>},
        {"county-list", [](Session& s) { return std::make_unique<frmCountyList>(s, nullptr); }, Placement::UpperSixth,
         FontRule::WidthRatioAtMost15, first<QTreeWidget*>},
    };
    return cases;
}

// Every caption fits its control; with PALMETAR_SCREENSHOT_DIR set the window is also saved as
// a picture to look at.
void expectCaptionsFit(QWidget& window, const std::string& name) {
    for (auto* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window)) continue;
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap()) {
            EXPECT_LE(label->sizeHint().width(), label->width() + 1) << name << ": " << label->text().toStdString();
        } else if (label) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height() + 1)
                << name << ": " << label->text().toStdString();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_LE(button->sizeHint().width(), button->width() + 1) << name << ": " << button->text().toStdString();
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            EXPECT_LE(box->fontMetrics().horizontalAdvance(box->title()) + 8, box->width())
                << name << ": " << box->title().toStdString();
        }
        // Nothing sticks out of the window.
        if (w->parentWidget() == &window) {
            EXPECT_TRUE(window.rect().contains(w->geometry())) << name << ": " << w->objectName().toStdString();
        }
    }
    if (const char* dir = std::getenv("PALMETAR_SCREENSHOT_DIR")) {
        window.show();
        QApplication::processEvents();
        window.grab().save(QString::fromLocal8Bit(dir) + "/" + QString::fromStdString(name) + ".png");
    }
}

}  // namespace

TEST(LogToolWindowSizing, EachWindowScalesAndPlacesItselfByItsRule) {
    // On the reference screen a window keeps its design; on a 1920 x 1080 screen it grows by the
    // screen's two ratios (3 across, 2.25 down) and its fonts by its rule.
    const Screen reference{9600, 7200}, wide{1920 * 15.0, 1080 * 15.0};
    for (const auto& c : windows()) {
        SCOPED_TRACE(c.name);
        TestSession ts;
        prepare(ts);
        ts.fakes.screen.screen = {0, 0, reference.width, reference.height};
        auto atReference = c.open(*ts);
        ts.fakes.screen.screen = {0, 0, wide.width, wide.height};
        auto atWide = c.open(*ts);
        const double k = station::ui::pixelsPerTwip(atWide.get());

        EXPECT_NEAR(atWide->width(), atReference->width() * 3.0, 3);
        EXPECT_NEAR(atWide->height(), atReference->height() * 2.25, 3);
        const double freeWidth = wide.width * k - atWide->width(), freeHeight = wide.height * k - atWide->height();
        EXPECT_NEAR(atWide->x(), freeWidth / 2, 2);
        switch (c.placement) {
            case Placement::RaisedCentre: EXPECT_NEAR(atWide->y(), freeHeight / 2 - 170 * k, 2); break;
            case Placement::Centre: EXPECT_NEAR(atWide->y(), freeHeight / 2, 2); break;
            case Placement::UpperSixth: EXPECT_NEAR(atWide->y(), freeHeight / 6, 2); break;
        }

        QWidget* sample = c.sample(*atWide);
        ASSERT_NE(sample, nullptr);
        EXPECT_NEAR(c.sample(*atReference)->font().pointSizeF(), kDesignFont, 0.01);
        const double factor = c.fonts == FontRule::SmallerRatio ? 2.25 : 1.5;
        EXPECT_NEAR(sample->font().pointSizeF(), kDesignFont * factor, 0.01);
    }
}

TEST(LogToolWindowSizing, SummarySheetCheckBoxKeepsItsFont) {
    TestSession ts;
    prepare(ts);
    ts.fakes.screen.screen = {0, 0, 1920 * 15.0, 1080 * 15.0};
    DECabrilloIn sheet(*ts);
    EXPECT_NEAR(sheet.Check1->font().pointSizeF(), kDesignFont, 0.01);
    EXPECT_NEAR(sheet.Command4->font().pointSizeF(), kDesignFont * 1.5, 0.01);
    EXPECT_NEAR(sheet.Option3->font().pointSizeF(), kDesignFont * 1.5, 0.01);
}

TEST(LogToolWindowSizing, CaptionsFitOnCommonScreens) {
    const Screen screens[] = {{800 * 15.0, 600 * 15.0}, {1024 * 15.0, 768 * 15.0}, {1280 * 15.0, 1024 * 15.0},
                              {1920 * 15.0, 1080 * 15.0}};
    for (const auto& screen : screens) {
        for (const auto& c : windows()) {
            const std::string name = std::string(c.name) + "-" + std::to_string(static_cast<int>(screen.width / 15));
            SCOPED_TRACE(name);
            TestSession ts;
            prepare(ts);
            ts.fakes.screen.screen = {0, 0, screen.width, screen.height};
            auto w = c.open(*ts);
            // The window stays on the screen.
            const double k = station::ui::pixelsPerTwip(w.get());
            EXPECT_LE(w->y() + w->height(), screen.height * k + 1);
            EXPECT_LE(w->x() + w->width(), screen.width * k + 1);
            // The markers and "Delete Dupe" are hidden until needed; they must fit as well.
            for (auto* hidden : w->findChildren<QWidget*>()) {
                if (hidden->parentWidget() == w.get() || qobject_cast<QGroupBox*>(hidden->parentWidget())) hidden->show();
            }
            expectCaptionsFit(*w, name);
        }
    }
}
