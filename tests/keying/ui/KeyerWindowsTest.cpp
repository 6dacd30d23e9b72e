// The CW settings window and code practice as the operator uses them: what is typed acts on
// the keyer at once, the boxes' rules, Done writing cw.txt, Test and code practice keying through
// the worker, and the logging window's menu and hotkey opening the settings window.

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "keying/CwSettings.h"
#include "keying/Numbers.h"
#include "keying/KeyerFixture.h"
#include "keying/ui/CWFrm.h"
#include "keying/ui/KeyerWindows.h"
#include "keying/ui/VoiceWindows.h"
#include "keying/ui/frmCodePractice.h"
#include "platform/qt/Text.h"
#include "station/ui/KeyField.h"
#include "support/qt/AnswerModal.h"
#include "support/qt/WindowLayout.h"
#include "window/ui/LoggingWindowFixture.h"
#include "window/ui/ToolWindows.h"

using platform::qt::fromQ;
using platform::qt::toQ;
using station::ui::KeyField;

namespace {

std::string text(const QLineEdit* f) { return fromQ(f->text()); }

// An option button chosen as a click chooses it.
void choose(QRadioButton* option) { option->click(); }

// Types into a box and leaves it for the next control, as the operator does.
void typeAndLeave(QWidget& window, QLineEdit* box, const char* typed, QWidget* next) {
    window.activateWindow();
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, typed);
    next->setFocus();
    QApplication::processEvents();
}

TEST(CWFrm, ShowsTheKeyersSettingsAndWhatIsTypedActsAtOnce) {
    KeyerFixture f;
    f.cw.settings().messages[0] = "CQ FL";
    f.cw.settings().speed = "22";
    CWFrm w(*f.ts);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(text(w.Text[1]), "CQ FL");
    EXPECT_EQ(text(w.Text[11]), "22");
    EXPECT_TRUE(w.Option1->isChecked());
    EXPECT_TRUE(w.Check1->isChecked());
    EXPECT_TRUE(w.optTimer->isChecked());
    EXPECT_FALSE(w.txtLoop->isEnabled());

    // Messages: capitals, and never a double quote.
    typeAndLeave(w, w.Text[12], "tu \"73\"", w.Text[13]);
    EXPECT_EQ(text(w.Text[12]), "TU 73");
    EXPECT_EQ(f.cw.settings().messages[9], "TU 73");
    // Ports and speed take digits only; a box left holding no number reads "0".
    typeAndLeave(w, w.Text[11], "2a5", w.Text[13]);
    EXPECT_EQ(f.cw.settings().speed, "25");
    typeAndLeave(w, w.Text[11], "3:", w.Text[13]);
    EXPECT_EQ(text(w.Text[11]), "0");
    // The word space is held at -8 at once; the repeat box is checked when it is left.
    typeAndLeave(w, w.txtSpace, "-9", w.Text[13]);
    EXPECT_EQ(text(w.txtSpace), "-8");
    EXPECT_EQ(f.cw.settings().wordSpace, "-8");
    QTest::mouseClick(w.Command6, Qt::LeftButton);
    EXPECT_EQ(text(w.txtSpace), "-7");
    typeAndLeave(w, w.txtCWLoop, "2.5", w.Text[13]);
    EXPECT_EQ(f.cw.settings().repeatIntervalMs, 2500);
    typeAndLeave(w, w.txtCWLoop, "60", w.Text[13]);
    EXPECT_EQ(text(w.txtCWLoop), "0");
    EXPECT_EQ(f.cw.settings().repeatIntervalMs, 0);
    // The speed buttons, and the speed arrows of the logging window, show in the box.
    w.Text[11]->setText("13");
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_EQ(text(w.Text[11]), "14");
    f.keyers.SpeedDown();
    EXPECT_EQ(text(w.Text[11]), "13");
    // The keying options set the interface; WinKey shows its button for the rest of the run.
    choose(w.Option2);
    EXPECT_EQ(f.state.CWInterface, 2);
    EXPECT_TRUE(w.cmdConfWinkey->isHidden());
    choose(w.Option5);
    EXPECT_EQ(f.state.CWInterface, 5);
    choose(w.Option4);
    EXPECT_EQ(f.state.CWInterface, 0);
    EXPECT_FALSE(w.cmdConfWinkey->isHidden());
}

TEST(CWFrm, LeavingThePortBoxOpensThePortAndDoneWritesTheSettings) {
    KeyerFixture f;
    f.ts.writeProgramFile("Cw.Txt", keying::FormatCwFile(keying::CwSettings{}, 1));
    keying::LoadCwSettings(*f.ts);
    CWFrm w(*f.ts);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    typeAndLeave(w, w.Text[10], "3", w.Text[11]);
    EXPECT_EQ(f.ts.fakes.keyLines.openings(), std::vector<std::string>{"COM3"});
    EXPECT_TRUE(f.cw.commOpen());

    choose(w.OptSleep);
    typeAndLeave(w, w.Text[1], "cq test", w.Text[2]);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    const std::string file = f.ts.readProgramFile("Cw.Txt");  // under the name it was found by
    EXPECT_EQ(file.substr(0, 11), "\"CQ TEST\"\r\n");
    EXPECT_NE(file.find("\"3\"\r\n\"13\"\r\n"), std::string::npos);
    EXPECT_EQ(f.ts.fakes.settings.values["Tervak_Software/Settings/UserCWSelection"], "Sleep");

    // A settings file that cannot be written is said so; the window still closes.
    f.ts.fakes.files.failWrite = true;
    w.show();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].prompt.rfind("Unable to write file Cw.Txt.", 0), 0u);
    EXPECT_FALSE(w.isVisible());
}

TEST(CWFrm, APortThatCannotBeOpenedKeepsTheFocusInThePortBox) {
    KeyerFixture f;
    f.ts.fakes.keyLines.device("COM5").failOpen = true;
    CWFrm w(*f.ts);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    typeAndLeave(w, w.Text[10], "5", w.Text[14]);
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].title, "Invalid port.");
    // Back in the serial port box, so what is typed next corrects the port, not the parallel one.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.Text[10]->hasFocus(); }, 1000)) << fromQ(w.focusWidget()->objectName());
    QTest::keyClicks(w.focusWidget(), "0");
    EXPECT_EQ(text(w.Text[10]), "0");
    EXPECT_EQ(text(w.Text[14]), "&H378");
    // A port that opens (or none) lets the operator go on.
    w.Text[14]->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    QTest::qWait(50);
    EXPECT_TRUE(w.Text[14]->hasFocus());
}

TEST(CWFrm, TestSendsF9ThroughTheWorkerAndShowsSendingMeanwhile) {
    KeyerFixture f;
    f.cw.settings().messages[8] = "VVV DE ";
    auto& clock = f.ts.fakes.keyingClock;
    clock.setManual(true);
    CWFrm w(*f.ts);
    w.show();
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_TRUE(w.Label23->isVisible());
    ASSERT_TRUE(clock.waitForSleeper());
    clock.setManual(false);
    ASSERT_TRUE(f.drain());
    EXPECT_FALSE(w.Label23->isVisible());
    EXPECT_EQ(f.device().edges, Expected("VVV DE "));

    // With no interface nothing is sent, and "Sending!" does not stay.
    f.keyers.SetCWInterface(0);
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_FALSE(w.Label23->isVisible());
}

TEST(CWFrm, TheLoopMethodIsCalibratedWhenChosenAndTunedByItsButtons) {
    KeyerFixture f;
    CWFrm w(*f.ts);
    w.show();
    choose(w.optLoop);
    EXPECT_TRUE(w.txtLoop->isEnabled());
    const double calibrated = f.cw.settings().LoopsPer60ms;
    EXPECT_GT(calibrated, 0);
    EXPECT_EQ(text(w.txtLoop), keying::NumberText(calibrated));
    w.txtLoop->setText("1000");
    QTest::mouseClick(w.cmdLoopFaster, Qt::LeftButton);
    EXPECT_EQ(text(w.txtLoop), "900");
    EXPECT_EQ(f.cw.settings().LoopsPer60ms, 900);
    EXPECT_FALSE(w.optTimer->isChecked());
    choose(w.optTimer);
    EXPECT_FALSE(w.optLoop->isChecked());
    EXPECT_FALSE(w.cmdLoopFaster->isEnabled());
}

TEST(CWFrm, ACwTxtNamingWinKeyLoadsTheWinKeyWindowHiddenAndShowsItsButton) {
    KeyerFixture f(0);
    keying::ui::RegisterKeyerWindows(*f.ts);
    keying::ui::RegisterVoiceAndWinKeyWindows(*f.ts);
    f.ts.writeProgramFile("cw.txt", keying::FormatCwFile(keying::CwSettings{}, 5));
    keying::LoadCwSettings(*f.ts);
    auto& tools = window::ui::ToolWindows::instance();
    QWidget* winKey = tools.loaded(window::ToolWindow::frmWinKey);
    ASSERT_NE(winKey, nullptr);
    EXPECT_FALSE(winKey->isVisible());
    {
        CWFrm w(*f.ts);
        w.show();
        EXPECT_TRUE(w.Option5->isChecked());
        EXPECT_TRUE(w.cmdConfWinkey->isVisible());
    }
    tools.unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (auto w : {window::ToolWindow::CWFrm, window::ToolWindow::PhoneFrm, window::ToolWindow::BlindFrm,
                   window::ToolWindow::frmWinKey})
        tools.unregisterFactory(w);
}

TEST(CWFrm, TheLoggingWindowsMenuAndHotkeyOpenIt) {
    LoggingWindowFixture f(false);
    keying::ui::RegisterKeyerWindows(*f.ts);
    auto& w = f.open();
    w.show();
    auto& tools = window::ui::ToolWindows::instance();
    {
        // Shown beside the logging window: opened modally, the key would wait on it for ever.
        auto beside = testsupport::RefuseModal("Ctrl+C");
        QTest::keyClick(w.txtCall, Qt::Key_C, Qt::ControlModifier);
    }
    auto* cw = qobject_cast<CWFrm*>(tools.loaded(window::ToolWindow::CWFrm));
    ASSERT_NE(cw, nullptr);
    EXPECT_TRUE(cw->isVisible());
    EXPECT_FALSE(cw->isModal());
    QTest::mouseClick(cw->Command1, Qt::LeftButton);
    EXPECT_FALSE(cw->isVisible());

    // "&CW Setup" shows it modally until Done.
    bool modal = false;
    auto answer = testsupport::AnswerModal<CWFrm>([&](CWFrm& shown) {
        modal = &shown == cw && cw->isModal();
        QTest::mouseClick(cw->Command1, Qt::LeftButton);
    });
    w.menuItem("mnuCW")->trigger();
    EXPECT_TRUE(modal);
    EXPECT_FALSE(cw->isVisible());
    tools.unloadAll();
    tools.unregisterFactory(window::ToolWindow::CWFrm);
}

TEST(CodePractice, GeneratedGroupsAreSentThroughTheKeyerAndEchoed) {
    KeyerFixture f;
    f.cw.settings().speed = "20";  // a unit of whole nanoseconds: no rounding between the feeds
    f.ts.fakes.random.values = {0.0, 0.999, 0.5, 0.04};
    frmCodePractice p(*f.ts);
    p.show();
    EXPECT_EQ(fromQ(p.Label8->text()), "20");
    p.Option1->setChecked(true);
    p.Text3->setText("x");
    p.Text4->setText("4");
    QTest::mouseClick(p.Command2, Qt::LeftButton);
    EXPECT_EQ(text(p.Text3), "10");
    EXPECT_EQ(fromQ(p.Text1->toPlainText()).substr(0, 5), "AZNB ");
    p.Text1->setPlainText("TEST ");
    QTest::mouseClick(p.Command3, Qt::LeftButton);
    ASSERT_TRUE(f.ts.fakes.scheduler.runPostedUntil([&] { return !p.sending() && f.state.CWSending == 0; }));
    EXPECT_EQ(f.device().edges, Expected("TEST ", 20));
    EXPECT_EQ(fromQ(p.Text2->toPlainText()), "TEST ");

    QTest::mouseClick(p.Command7, Qt::LeftButton);
    EXPECT_EQ(fromQ(p.Label8->text()), "21");
    EXPECT_EQ(f.cw.settings().speed, "21");
}

TEST(CodePractice, SendWhileTypedTextIsKeyedQueuesItInsteadOfKeepingOnlyItsLastCharacter) {
    KeyerFixture f;
    f.cw.settings().speed = "20";
    auto& clock = f.ts.fakes.keyingClock;
    clock.setManual(true);
    frmCodePractice p(*f.ts);
    p.show();
    QTest::keyClicks(p.Text5, "e");  // type-to-send: the pump starts keying E
    EXPECT_EQ(text(p.Text5), "");
    ASSERT_TRUE(clock.waitForSleeper());
    p.Text1->setPlainText("TU");
    QTest::mouseClick(p.Command3, Qt::LeftButton);
    clock.setManual(false);
    ASSERT_TRUE(f.ts.fakes.scheduler.runPostedUntil([&] { return !p.sending() && f.state.CWSending == 0; }));
    EXPECT_EQ(f.device().edges, Expected("ETU", 20));
    EXPECT_EQ(fromQ(p.Text2->toPlainText()), "ETU");
}

TEST(CodePractice, ClosingWhileAKeyIsKeyedIsRefusedOnceAndStopsTheSending) {
    KeyerFixture f;
    auto& clock = f.ts.fakes.keyingClock;
    clock.setManual(true);
    frmCodePractice p(*f.ts);
    p.show();
    p.Text1->setPlainText("PARIS PARIS");
    QTest::mouseClick(p.Command3, Qt::LeftButton);
    ASSERT_TRUE(clock.waitForSleeper());
    f.ts.fakes.scheduler.runPosted();  // P is keyed: A waits in the buffer
    ASSERT_EQ(f.state.CWBuffer, "A");
    EXPECT_FALSE(p.close());
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(f.state.CWBuffer, "");
    clock.setManual(false);
    ASSERT_TRUE(f.drain());
    EXPECT_EQ(f.device().edges, Expected("P"));
    EXPECT_TRUE(p.close());

    // Backspace in the type-to-send box takes back the last character not yet keyed.
    frmCodePractice q(*f.ts);
    q.show();
    q.Text2->setPlainText("AB");
    QTest::keyClick(q.Text5, Qt::Key_Backspace);
    EXPECT_EQ(fromQ(q.Text2->toPlainText()), "A");
}

TEST(CodePractice, ASpeedTheKeyerRefusesEndsTheSendingAtOnce) {
    KeyerFixture f;
    f.cw.settings().speed = "0";
    frmCodePractice p(*f.ts);
    p.show();
    p.Text1->setPlainText("PARIS PARIS");
    QTest::mouseClick(p.Command3, Qt::LeftButton);
    f.ts.fakes.scheduler.runPosted();
    EXPECT_FALSE(p.sending());
    EXPECT_EQ(f.ts.fakes.dialogs.beeps, 1);
    EXPECT_EQ(fromQ(p.Text2->toPlainText()), "");
    EXPECT_TRUE(f.device().edges.empty());
}

// The two windows on small and large screens: captions fit, nothing sticks out. Their pictures
// are written when PALMETAR_SCREENSHOTS names a folder.
TEST(KeyerWindowLayout, SettingsAndCodePracticeOnSmallAndLargeScreens) {
    for (int width : {1024, 1920}) {
        KeyerFixture f;
        const int height = width == 1024 ? 768 : 1080;
        f.ts.fakes.screen.screen = {0, 0, width * 15.0, height * 15.0};
        f.ts.fakes.screen.workArea = {0, 0, width * 15.0, (height - 40) * 15.0};
        f.ts.copyDataFile("cw.txt");
        keying::LoadCwSettings(*f.ts);
        f.cw.settings().messages[0] = "CQ FL $ TEST";
        f.cw.settings().messages[1] = "5NN ^";
        f.cw.settings().messages[2] = "TU $ !";
        f.keyers.SetCWInterface(5);  // "Configure Winkey" shows too
        CWFrm w(*f.ts);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        EXPECT_LE(w.width(), width);
        EXPECT_LE(w.height(), height);
        testsupport::ExpectLaidOut(w, "cwfrm-" + std::to_string(width));
        testsupport::SavePictureIfAsked(w, "cwfrm-" + std::to_string(width));
        frmCodePractice p(*f.ts, &w);
        p.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&p));
        QTest::mouseClick(p.Command2, Qt::LeftButton);
        EXPECT_LE(p.width(), width);
        EXPECT_LE(p.height(), height);
        testsupport::ExpectLaidOut(p, "codepractice-" + std::to_string(width));
        testsupport::SavePictureIfAsked(p, "codepractice-" + std::to_string(width));
    }
}

}  // namespace
