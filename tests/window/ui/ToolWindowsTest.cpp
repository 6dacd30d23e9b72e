#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>

#include "support/qt/AnswerModal.h"
#include "window/ui/LoggingWindowFixture.h"
#include "window/ui/ToolWindows.h"

using namespace window;
using window::ui::ToolWindows;

namespace {
// A window of another part. Made modal while it is already shown beside the logging window, it
// does not come up as a modal window that an answer could close, and a wait on it would never
// end: it fails the test and closes itself instead.
template <typename Base>
class StandIn : public Base {
public:
    using Base::Base;
    void setVisible(bool visible) override {
        if (visible && this->isVisible() && this->isModal()) {
            ADD_FAILURE() << "a window already shown was shown again modally";
            QMetaObject::invokeMethod(this, [this] { this->hide(); }, Qt::QueuedConnection);
        }
        Base::setVisible(visible);
    }
};

// Registers counting factories for some windows and takes them away again.
struct Registered {
    std::map<ToolWindow, int> made;
    std::vector<ToolWindow> windows;
    Registered(std::vector<ToolWindow> which, bool dialogs) : windows(std::move(which)) {
        for (ToolWindow w : windows) {
            ToolWindows::instance().registerFactory(w, [this, w, dialogs](Session&, QWidget* parent) -> QWidget* {
                ++made[w];
                if (dialogs) return new StandIn<QDialog>(parent);
                return new StandIn<QWidget>(parent, Qt::Window);
            });
        }
    }
    ~Registered() {
        ToolWindows::instance().unloadAll();
        for (ToolWindow w : windows) ToolWindows::instance().unregisterFactory(w);
    }
};

// The operator's Done for the next modal showing of a window: it hides the window.
testsupport::ModalAnswer Done(bool dialogs, int& dones) {
    if (dialogs) return testsupport::AnswerModal<QDialog>([&dones](QDialog& d) {
        ++dones;
        d.hide();
    });
    return testsupport::AnswerModal<QWidget>([&dones](QWidget& w) {
        ++dones;
        w.hide();
    });
}
}  // namespace

// Each modal showing gets its own answer: one shown again is answered again, and one shown
// that no answer expects fails the test and is closed instead of holding it.
TEST(ToolWindows, TheThreeWaysOfOpeningAndNoSecondCopyOfAnOpenWindow) {
    TestSession ts;
    auto& tools = ToolWindows::instance();
    EXPECT_FALSE(tools.open(ToolWindow::GraphQSO, OpenWay::ModalThenUnload, *ts, nullptr));  // nothing registered

    for (bool dialogs : {true, false}) {
        SCOPED_TRACE(dialogs ? "dialogs" : "plain windows");
        Registered r({ToolWindow::GraphQSO, ToolWindow::CWFrm}, dialogs);
        int dones = 0;
        // Modal, then unloaded: waits until the window hides, then discards it.
        auto first = Done(dialogs, dones);
        EXPECT_TRUE(tools.open(ToolWindow::GraphQSO, OpenWay::ModalThenUnload, *ts, nullptr));
        EXPECT_EQ(dones, 1);  // the opening returned only after Done
        EXPECT_FALSE(tools.isLoaded(ToolWindow::GraphQSO));
        auto second = Done(dialogs, dones);
        tools.open(ToolWindow::GraphQSO, OpenWay::ModalThenUnload, *ts, nullptr);
        EXPECT_EQ(dones, 2);
        EXPECT_EQ(r.made[ToolWindow::GraphQSO], 2);

        // Modal: waits, and the window stays loaded for the next opening.
        auto third = Done(dialogs, dones);
        tools.open(ToolWindow::CWFrm, OpenWay::Modal, *ts, nullptr);
        EXPECT_EQ(dones, 3);
        EXPECT_TRUE(tools.isLoaded(ToolWindow::CWFrm));
        tools.open(ToolWindow::CWFrm, OpenWay::NotModal, *ts, nullptr);
        EXPECT_EQ(r.made[ToolWindow::CWFrm], 1);
        // Shown beside the logging window, a modal request brings it forward instead.
        tools.loaded(ToolWindow::CWFrm)->show();
        tools.open(ToolWindow::CWFrm, OpenWay::Modal, *ts, nullptr);
        EXPECT_TRUE(tools.loaded(ToolWindow::CWFrm)->isVisible());
        EXPECT_FALSE(tools.loaded(ToolWindow::CWFrm)->isModal());
        EXPECT_EQ(dones, 3);
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
