// Windows on the common screens, 1024 x 768 and 1280 x 1024: a window sized to the screen or its
// work area fits there with the frame the window manager draws around it (the frame openbox
// draws is given: a 20-pixel title bar, 1-pixel sides and a 5-pixel bottom edge), from the moment
// it is mapped; the CW keyer window leaves the logging window showing around it; "Select Option:"
// of the spotting setup keeps its lower edge.

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <gtest/gtest.h>

#include "keying/ui/CWFrm.h"
#include "logtools/ui/GraphQSO.h"
#include "platform/qt/Text.h"
#include "spots/ui/PacketSpotfrm.h"
#include "spots/ui/SpectrumMap.h"
#include "station/ui/WindowFrame.h"
#include "window/ui/LoggingWindowFixture.h"

using platform::qt::fromQ;

namespace {

const QMargins kOpenboxFrame(1, 20, 1, 5);

// The frame windows go by before they are framed themselves, as the setup window left it.
struct GivenFrame {
    explicit GivenFrame(const QMargins& frame) { station::ui::NoteFrame(frame); }
    ~GivenFrame() { station::ui::NoteFrame({}); }
};

struct Screen {
    int w, h;
};
const Screen kScreens[] = {{1024, 768}, {1280, 1024}};

// A panel of 40 pixels at the bottom, as in the fixture.
QRect workArea(const Screen& s) { return {0, 0, s.w, s.h - 40}; }

void setScreen(TestSession& ts, const Screen& s) {
    ts.fakes.screen.screen = {0, 0, s.w * 15.0, s.h * 15.0};
    ts.fakes.screen.workArea = {0, 0, s.w * 15.0, (s.h - 40) * 15.0};
}

// Where a window not yet shown will stand with the given frame: before it is shown, a top-level
// window's position is that of its frame.
QRect outerBeforeShown(const QWidget& w, const QMargins& frame) {
    return {w.pos(), w.size().grownBy(frame)};
}

std::string text(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

}  // namespace

TEST(ScreenFit, TheLoggingWindowFillsTheScreenOrWorkAreaWithItsFrame) {
    GivenFrame frame(kOpenboxFrame);
    for (const Screen s : kScreens) {
        for (const bool taskbar : {false, true}) {
            for (const bool out : {false, true}) {
                SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h) + (taskbar ? " taskbar" : " screen") +
                             (out ? " Outfrm" : " Infrm"));
                LoggingWindowFixture f(out, s.w, s.h);
                f.ts->profile.ShowTaskbar = taskbar ? 1 : 0;
                auto& w = f.open();
                const QRect area = taskbar ? workArea(s) : QRect(0, 0, s.w, s.h);
                // Mapped at its size: the bottom edge is not below the screen by the title bar.
                EXPECT_EQ(outerBeforeShown(w, kOpenboxFrame), area) << text(outerBeforeShown(w, kOpenboxFrame));

                // Framed by the manager (here with its own frame), it still fills the area, and
                // the band map strip, once a spot source is chosen, ends inside it.
                w.show();
                QApplication::processEvents();
                QApplication::processEvents();
                EXPECT_EQ(w.frameGeometry(), area) << text(w.frameGeometry());
                f.ts->Form1.PacketResize("Telnet", false);
                ASSERT_TRUE(w.lblDX->isVisible());
                const QRect strip(w.lblDX->mapToGlobal(QPoint(0, 0)), w.lblDX->size());
                EXPECT_TRUE(w.geometry().contains(strip)) << text(strip) << " in " << text(w.geometry());
            }
        }
    }
}

TEST(ScreenFit, TheRateGraphAndTheSpectrumMapFillTheWorkAreaWithTheirFrame) {
    GivenFrame frame(kOpenboxFrame);
    for (const Screen s : kScreens) {
        SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
        TestSession ts;
        setScreen(ts, s);
        GraphQSO graph(*ts);
        EXPECT_EQ(outerBeforeShown(graph, kOpenboxFrame), workArea(s)) << text(outerBeforeShown(graph, kOpenboxFrame));
        spots::ui::SpectrumMap map(*ts);
        map.Form_Load();
        EXPECT_EQ(outerBeforeShown(map, kOpenboxFrame), workArea(s)) << text(outerBeforeShown(map, kOpenboxFrame));
    }
}

// The CW keyer window opened beside the logging window (Ctrl+C) leaves it showing on every side,
// so a click reaches it, and everything on the window still fits.
TEST(ScreenFit, TheCwKeyerWindowLeavesTheLoggingWindowShowingAndItsTextsFit) {
    GivenFrame frame(kOpenboxFrame);
    for (const Screen s : kScreens) {
        SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
        TestSession ts;
        setScreen(ts, s);
        CWFrm w(*ts);
        const QRect outer = outerBeforeShown(w, kOpenboxFrame);
        const QRect area = workArea(s);
        EXPECT_TRUE(area.adjusted(8, 8, -8, -8).contains(outer)) << text(outer) << " in " << text(area);
        w.show();
        const QRect client = w.rect();
        for (QWidget* c : w.findChildren<QWidget*>()) {
            if (!c->isVisibleTo(&w)) continue;
            const std::string name = fromQ(c->objectName()) + " " + c->metaObject()->className();
            EXPECT_TRUE(client.contains(QRect(c->mapTo(&w, QPoint(0, 0)), c->size()))) << name;
            if (auto* l = qobject_cast<QLabel*>(c)) {
                if (l->wordWrap()) {
                    EXPECT_LE(l->heightForWidth(l->width()), l->height()) << fromQ(l->text().left(30));
                } else {
                    EXPECT_LE(l->sizeHint().width(), l->width() + 1) << fromQ(l->text());
                }
            } else if (auto* b = qobject_cast<QPushButton*>(c)) {
                // A push button's size hint has a floor of its own: its caption is what must fit.
                EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text().remove('&')) + 8, b->width()) << fromQ(b->text());
            } else if (auto* b = qobject_cast<QAbstractButton*>(c)) {
                EXPECT_LE(b->sizeHint().width(), b->width() + 1) << fromQ(b->text());
            }
        }
    }
}

TEST(ScreenFit, SelectOptionKeepsItsLowerEdgeAboveTheSourceList) {
    for (const Screen s : kScreens) {
        SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
        TestSession ts;
        setScreen(ts, s);
        spots::ui::PacketSpotfrm w(*ts);
        w.Form_Load();
        const QLabel* label = w.Label1;
        const QRect drawn = QStyle::alignedRect(Qt::LeftToRight, label->alignment(),
                                                label->fontMetrics().size(0, label->text()), label->contentsRect());
        EXPECT_LE(label->y() + drawn.bottom(), w.List1->y()) << "text ends at " << label->y() + drawn.bottom()
                                                              << ", the list starts at " << w.List1->y();
    }
}
