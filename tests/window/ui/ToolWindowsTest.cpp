#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include "window/ui/LoggingWindowFixture.h"
#include "window/ui/ToolWindows.h"

using namespace window;
using window::ui::ToolWindows;

namespace {
// Registers counting factories for some windows and takes them away again.
struct Registered {
    std::map<ToolWindow, int> made;
    int doneClicks = 0;
    std::vector<ToolWindow> windows;
    Registered(std::vector<ToolWindow> which, bool dialogs) : windows(std::move(which)) {
        for (ToolWindow w : windows) {
            ToolWindows::instance().registerFactory(w, [this, w, dialogs](Session&, QWidget* parent) -> QWidget* {
                ++made[w];
                QWidget* widget = dialogs ? new QDialog(parent) : new QWidget(parent, Qt::Window);
                // Done hides the window soon after it shows.
                QTimer::singleShot(0, widget, [this, widget] {
                    ++doneClicks;
                    widget->hide();
                });
                return widget;
            });
        }
    }
    ~Registered() {
        ToolWindows::instance().unloadAll();
        for (ToolWindow w : windows) ToolWindows::instance().unregisterFactory(w);
    }
};
}  // namespace

TEST(ToolWindows, TheThreeWaysOfOpeningAndNoSecondCopyOfAnOpenWindow) {
    TestSession ts;
    auto& tools = ToolWindows::instance();
    EXPECT_FALSE(tools.open(ToolWindow::GraphQSO, OpenWay::ModalThenUnload, *ts, nullptr));  // nothing registered

    for (bool dialogs : {true, false}) {
        Registered r({ToolWindow::GraphQSO, ToolWindow::CWFrm}, dialogs);
        // Modal, then unloaded: waits until the window hides, then discards it.
        EXPECT_TRUE(tools.open(ToolWindow::GraphQSO, OpenWay::ModalThenUnload, *ts, nullptr));
        EXPECT_EQ(r.doneClicks, 1);  // the opening returned only after Done
        EXPECT_FALSE(tools.isLoaded(ToolWindow::GraphQSO));
        tools.open(ToolWindow::GraphQSO, OpenWay::ModalThenUnload, *ts, nullptr);
        EXPECT_EQ(r.made[ToolWindow::GraphQSO], 2);

        // Modal: waits, and the window stays loaded for the next opening.
        tools.open(ToolWindow::CWFrm, OpenWay::Modal, *ts, nullptr);
        EXPECT_TRUE(tools.isLoaded(ToolWindow::CWFrm));
        tools.open(ToolWindow::CWFrm, OpenWay::NotModal, *ts, nullptr);
        EXPECT_EQ(r.made[ToolWindow::CWFrm], 1);
        // Shown beside the logging window, a modal request brings it forward instead.
        tools.loaded(ToolWindow::CWFrm)->show();
        tools.open(ToolWindow::CWFrm, OpenWay::Modal, *ts, nullptr);
        EXPECT_TRUE(tools.loaded(ToolWindow::CWFrm)->isVisible());
        EXPECT_EQ(r.made[ToolWindow::CWFrm], 1);
    }
}

TEST(ToolWindows, ClosingTheLoggingWindowUnloadsWhatItOpened) {
    const std::vector<ToolWindow> opened = {ToolWindow::PhoneFrm, ToolWindow::RigControlfrm,
                                            ToolWindow::frmCountyChangeRover, ToolWindow::frmWinKey};
    for (bool out : {false, true}) {
        Registered r(opened, false);
        LoggingWindowFixture f(out);
        auto& w = f.open();
        auto& tools = ToolWindows::instance();
        for (ToolWindow t : opened) tools.open(t, OpenWay::NotModal, *f.ts, nullptr);
        w.close();
        EXPECT_FALSE(tools.isLoaded(ToolWindow::PhoneFrm));
        EXPECT_FALSE(tools.isLoaded(ToolWindow::RigControlfrm));
        EXPECT_FALSE(tools.isLoaded(ToolWindow::frmWinKey));
        // The rover's county list belongs to the in-state window.
        EXPECT_EQ(tools.isLoaded(ToolWindow::frmCountyChangeRover), out);
    }
}

TEST(ToolWindows, AWindowLoadedHiddenWorksUnseenAndIsTheOneLaterShown) {
    TestSession ts;
    auto& tools = ToolWindows::instance();
    EXPECT_EQ(tools.load(ToolWindow::BlindFrm, *ts, nullptr), nullptr);  // nothing registered
    int made = 0;
    tools.registerFactory(ToolWindow::BlindFrm, [&](Session&, QWidget* parent) -> QWidget* {
        ++made;
        return new QDialog(parent);
    });
    QWidget* w = tools.load(ToolWindow::BlindFrm, *ts, nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(tools.isLoaded(ToolWindow::BlindFrm));
    EXPECT_EQ(tools.load(ToolWindow::BlindFrm, *ts, nullptr), w);
    // Opening shows the window that was loaded, and hiding it keeps it loaded.
    tools.open(ToolWindow::BlindFrm, OpenWay::NotModal, *ts, nullptr);
    EXPECT_EQ(tools.loaded(ToolWindow::BlindFrm), w);
    EXPECT_TRUE(w->isVisible());
    w->hide();
    EXPECT_EQ(tools.load(ToolWindow::BlindFrm, *ts, nullptr), w);
    EXPECT_EQ(made, 1);
    tools.unload(ToolWindow::BlindFrm);
    EXPECT_FALSE(tools.isLoaded(ToolWindow::BlindFrm));
    tools.unregisterFactory(ToolWindow::BlindFrm);
}
