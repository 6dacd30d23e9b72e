// The windows whose design has no close box, Done (or Close) being their way out. Their title bar
// asks for none; a window manager that draws one anyway (openbox does) sends its click as a close
// request, which must do what Done does: store the settings and hide the window. Esc and the
// program's own close (an unload) leave the window and its files alone.

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "keying/ui/BlindFrm.h"
#include "keying/ui/CWFrm.h"
#include "keying/ui/PhoneFrm.h"
#include "keying/ui/frmWinKey.h"
#include "spots/ui/PacketSpotfrm.h"
#include "station/ui/Form5.h"
#include "support/TestSession.h"
#include "support/qt/CloseBox.h"

namespace fs = std::filesystem;

namespace {

struct Case {
    const char* title;
    std::function<QWidget*(Session&)> make;
    // What only Done leaves behind; none for the help page, whose Close only closes.
    std::function<bool(TestSession&)> doneRan;
};

template <class W>
QWidget* loaded(Session& s) {
    auto* w = new W(s);
    w->Form_Load();
    return w;
}

bool programFile(TestSession& ts, const char* name) { return fs::exists(ts.programPath(name)); }

}  // namespace

TEST(NoCloseBoxWindows, TheCloseBoxDoesWhatDoneDoesAndEscDoesNothing) {
    const Case cases[] = {
        {"Help Page", loaded<Form5>, nullptr},
        {"CW String Selections", [](Session& s) -> QWidget* { return new CWFrm(s); },
         [](TestSession& ts) { return programFile(ts, "cw.txt"); }},
        {"Phone Wave Selections", loaded<PhoneFrm>, [](TestSession& ts) { return programFile(ts, "wave2.txt"); }},
        {"Voice Navigation Settings", loaded<BlindFrm>,
         [](TestSession& ts) { return programFile(ts, "QSOpref.txt"); }},
        {"WinKey Setup", loaded<frmWinKey>,
         [](TestSession& ts) { return fs::exists(fs::path(ts->folders.UserFolder) / "WK.txt"); }},
        {"DX Spotting Setup", [](Session& s) -> QWidget* { return new spots::ui::PacketSpotfrm(s); },
         [](TestSession& ts) { return programFile(ts, "PackSpot.txt"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        TestSession ts;
        std::unique_ptr<QWidget> w(c.make(*ts));
        const Qt::WindowFlags flags = w->windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));

        w->show();
        QTest::keyClick(w.get(), Qt::Key_Escape);
        EXPECT_TRUE(w->isVisible());
        w->close();  // the program's own close, as when the logging window unloads it
        if (c.doneRan) {
            EXPECT_FALSE(c.doneRan(ts));
        }

        w->show();
        EXPECT_FALSE(ClickCloseBox(*w));  // the window closes itself, by its Done
        EXPECT_FALSE(w->isVisible());
        if (c.doneRan) {
            EXPECT_TRUE(c.doneRan(ts));
        }
    }
}
