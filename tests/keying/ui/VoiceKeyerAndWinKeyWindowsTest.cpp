// The voice keyer's and the WinKey keyer's windows as the operator uses them, and the logging
// window's keys reaching both keyers: F-keys in phone mode play a message with PTT keyed and Esc
// stops it; with WinKey as the CW interface the F-keys, the speed keys and Esc go to the keyer.
// The WinKey window runs once end to end against the keyer emulator on a real pseudo-terminal.

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "keying/WinKeyProtocol.h"
#include "keying/ui/PhoneFrm.h"
#include "keying/ui/VoiceWindows.h"
#include "keying/ui/frmWinKey.h"
#include "platform/qt/QtScheduler.h"
#include "platform/qt/QtSerialLine.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/Text.h"
#include "station/ui/KeyField.h"
#include "support/PtyPair.h"
#include "support/qt/WindowLayout.h"
#include "support/WinKeyEmulator.h"
#include "window/ui/LoggingWindowFixture.h"
#include "window/ui/ToolWindows.h"

using platform::qt::fromQ;
using station::ui::KeyField;

namespace {

std::string text(const QLineEdit* f) { return fromQ(f->text()); }
std::string text(const QLabel* l) { return fromQ(l->text()); }

void retype(KeyField* f, const char* keys) {
    f->setFocus();
    f->selectAll();
    QTest::keyClick(f, Qt::Key_Backspace);
    QTest::keyClicks(f, keys);
}

TEST(PhoneFrm, ShowsTheSettingsAppliesTheFieldRulesAndDoneWritesWave2Txt) {
    TestSession ts;
    auto& s = ts->voiceKeyer;
    s.waveFiles[0] = "/msgs/cq.wav";
    s.pttPort = "0";
    s.pttLine = 1;
    s.repeatSeconds = "2.5";
    PhoneFrm w(*ts);
    w.Form_Load();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(fromQ(w.windowTitle()), "Phone Wave Selections");
    EXPECT_EQ(text(w.Text[1]), "/msgs/cq.wav");
    EXPECT_EQ(text(w.Text[11]), "&H378");
    EXPECT_TRUE(w.Option2->isChecked());

    // The address box drops the quote and takes capitals.
    retype(w.Text[11], "&h2\"78");
    EXPECT_EQ(s.parallelAddress, "&H278");
    // The repeat box takes digits and the point; 60 seconds is too long and becomes "0".
    retype(w.txtPHLoop, "6x0");
    EXPECT_EQ(text(w.txtPHLoop), "60");
    w.Text[2]->setFocus();
    EXPECT_EQ(text(w.txtPHLoop), "0");
    EXPECT_EQ(s.repeatIntervalMs, 0);
    retype(w.txtPHLoop, "59.9");
    w.Text[2]->setFocus();
    EXPECT_EQ(s.repeatIntervalMs, 59900);
    // The port box: text that is not a number becomes "0".
    retype(w.Text[10], "x");
    w.Text[2]->setFocus();
    EXPECT_EQ(text(w.Text[10]), "0");
    EXPECT_EQ(s.pttPort, "0");
    w.Option3->click();
    EXPECT_EQ(s.pttLine, 2);

    // Browse fills the key's field; Cancel beeps and leaves it.
    ts.fakes.dialogs.fileAnswers.push_back(std::string("/msgs/tu.wav"));
    QTest::mouseClick(w.Browses[2], Qt::LeftButton);
    EXPECT_EQ(text(w.Text[2]), "/msgs/tu.wav");
    EXPECT_EQ(s.waveFiles[1], "/msgs/tu.wav");
    EXPECT_EQ(ts.fakes.dialogs.fileRequests.back().filter, "(*.wav)|*.wav");
    QTest::mouseClick(w.Browses[3], Qt::LeftButton);
    EXPECT_EQ(ts.fakes.dialogs.beeps, 1);
    EXPECT_EQ(text(w.Text[3]), "");

    // Test plays F1 (here on the parallel port, whose fake keys and lets up).
    w.Option1->click();
    QTest::mouseClick(w.Command11, Qt::LeftButton);
    EXPECT_EQ(ts.fakes.phoneWave.played, std::vector<std::string>{"/msgs/cq.wav"});

    // Esc is no way out; Done hides and writes the file.
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    keying::VoiceKeyerSettings back;
    keying::ParseWaveSettings(ts.readProgramFile("wave2.txt"), back);
    EXPECT_EQ(back.waveFiles[1], "/msgs/tu.wav");
    EXPECT_EQ(back.parallelAddress, "&H278");
    EXPECT_EQ(back.repeatSeconds, "59.9");
    EXPECT_EQ(back.pttLine, 0);
}

struct Windows {
    explicit Windows(Session& session) { keying::ui::RegisterVoiceAndWinKeyWindows(session); }
    ~Windows() {
        auto& reg = window::ui::ToolWindows::instance();
        reg.unloadAll();
        // Unloaded windows are deleted later; they go now, while their session still exists.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        reg.unregisterFactory(window::ToolWindow::PhoneFrm);
        reg.unregisterFactory(window::ToolWindow::BlindFrm);
        reg.unregisterFactory(window::ToolWindow::frmWinKey);
    }
};

TEST(LoggingWindowVoiceKeys, FKeysInPhoneModePlayWithPttKeyedAndEscStopsTheMessage) {
    LoggingWindowFixture f(false);
    Windows windows(*f.ts);
    f.ts->profile.CurrentMode = "PH";
    auto& s = f.ts->voiceKeyer;
    s.waveFiles[1] = "/msgs/tu.wav";
    s.pttPort = "3";
    auto& w = f.open();
    w.show();
    QTest::keyClick(w.txtCall, Qt::Key_F2);
    EXPECT_EQ(f.ts.fakes.phoneWave.played, std::vector<std::string>{"/msgs/tu.wav"});
    EXPECT_TRUE(f.ts.fakes.keyLines.snapshot("COM3").rts);
    QTest::keyClick(w.txtCall, Qt::Key_Escape);
    EXPECT_FALSE(f.ts.fakes.phoneWave.isPlaying);
    EXPECT_FALSE(f.ts.fakes.keyLines.snapshot("COM3").rts);

    // Ctrl+P shows the voice keyer's window beside the logging window.
    QTest::keyClick(w.txtCall, Qt::Key_P, Qt::ControlModifier);
    auto* phone = window::ui::ToolWindows::instance().loaded(window::ToolWindow::PhoneFrm);
    ASSERT_NE(phone, nullptr);
    EXPECT_TRUE(phone->isVisible());

    // Closing the logging window while a message plays lets PTT up.
    QTest::keyClick(w.txtCall, Qt::Key_F2);
    ASSERT_TRUE(f.ts.fakes.keyLines.snapshot("COM3").rts);
    w.close();
    EXPECT_FALSE(f.ts.fakes.keyLines.snapshot("COM3").rts);
}

// A scripted WinKey keyer on COM3 of the fake serial ports.
struct ScriptedKeyer {
    fakes::FakeSerialDevice& dev;
    std::string text;
    explicit ScriptedKeyer(fakes::FakeSerialDevice& d) : dev(d) {
        dev.onWrite = [this](const std::string& bytes) {
            if (bytes.size() >= 3 && bytes[bytes.size() - 3] == 0 && bytes[bytes.size() - 2] == 4)
                dev.receive(bytes.substr(bytes.size() - 1));
            else if (bytes == std::string("\0\2", 2))
                dev.receive("\x17");
            else if (bytes.size() == 1 && static_cast<unsigned char>(bytes[0]) >= 0x20) {
                text += bytes;
                dev.receive(std::string(1, static_cast<char>(keying::winkey::StatusByte(keying::winkey::kBusy))));
            }
        };
    }
};

TEST(LoggingWindowWinKeyKeys, WithWinKeyChosenFKeysSpeedKeysAndEscGoToTheKeyer) {
    LoggingWindowFixture f(false);
    Windows windows(*f.ts);
    ScriptedKeyer keyer(f.ts.fakes.serial.device(3));
    auto& keyers = f.ts->keyers;
    keyers.cw.settings().messages[1] = "TU 5NN";
    keyers.cw.settings().speed = "20";
    // Choosing WinKey loads its window hidden; WK.txt names the port.
    writeFileBytes(std::filesystem::path(f.ts->folders.UserFolder) / "WK.txt",
                   "3\r\n\"18\"\r\n\"50\"\r\n\"0\"\r\n\"0\"\r\n\"50\"\r\n");
    keyers.SetCWInterface(5);
    auto* wk = window::ui::ToolWindows::instance().loaded(window::ToolWindow::frmWinKey);
    ASSERT_NE(wk, nullptr);
    EXPECT_FALSE(wk->isVisible());
    auto& w = f.open();
    w.show();

    // F2: the link opens by itself and the message goes to the keyer.
    QTest::keyClick(w.txtCall, Qt::Key_F2);
    f.ts.fakes.scheduler.advance(1000);
    EXPECT_EQ(keyers.keyer.WinKeyOpen, 0x17);
    EXPECT_EQ(keyer.text, "TU 5NN");
    EXPECT_EQ(text(static_cast<frmWinKey*>(wk)->lblOpenStatus), "WK Success!");

    // Up: one word per minute faster, told to the keyer.
    keyer.dev.written.clear();
    QTest::keyClick(w.txtCall, Qt::Key_Up);
    EXPECT_EQ(keyer.dev.written, std::string("\x02\x15", 2));
    EXPECT_EQ(text(w.lblDialog), "21 WPM");

    // Esc while the keyer is busy: its buffer is cleared and the entry stays.
    w.txtCall->setText("K1ABC");
    keyer.dev.written.clear();
    QTest::keyClick(w.txtCall, Qt::Key_Escape);
    EXPECT_EQ(keyer.dev.written, std::string("\x0A"));
    EXPECT_EQ(text(w.txtCall), "K1ABC");
}

// Leaving the lead-in or the tail box with the other one empty resets the box left, not the
// other one; with both filled, the pair goes to the keyer.
TEST(frmWinKey, LeavingTheLeadInOrTheTailBoxResetsTheBoxLeft) {
    TestSession ts;
    ScriptedKeyer keyer(ts.fakes.serial.device(3));
    ts->winKey.settings.WinKeyPort = 3;
    frmWinKey w(*ts);
    w.Form_Load();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    w.txtLeadIn->setText("5");
    w.txtTail->setText("");
    w.txtLeadIn->setFocus();
    w.txtRatio->setFocus();
    EXPECT_EQ(text(w.txtLeadIn), "0");
    EXPECT_EQ(text(w.txtTail), "");
    w.txtLeadIn->setText("");
    w.txtTail->setText("7");
    w.txtTail->setFocus();
    w.txtRatio->setFocus();
    EXPECT_EQ(text(w.txtTail), "0");
    EXPECT_EQ(text(w.txtLeadIn), "");

    QTest::mouseClick(w.cmdOpenWinkey, Qt::LeftButton);
    ts.fakes.scheduler.advance(1000);
    ASSERT_EQ(ts->keyers.keyer.WinKeyOpen, 0x17);
    keyer.dev.written.clear();
    w.txtLeadIn->setText("2");
    w.txtTail->setText("9");
    w.txtTail->setFocus();
    w.txtRatio->setFocus();
    EXPECT_EQ(keyer.dev.written, std::string("\x04\x02\x09", 3));
}

// The six setting boxes take the digits and Backspace; every other key is dropped.
TEST(frmWinKey, TheSettingBoxesTakeOnlyDigitsAndBackspace) {
    TestSession ts;
    frmWinKey w(*ts);
    w.Form_Load();
    w.show();
    for (KeyField* box : {w.txtWKComPort, w.txtWKWPM, w.txtWeight, w.txtLeadIn, w.txtTail, w.txtRatio}) {
        box->setText("");
        QTest::keyClicks(box, "4a-5 ");
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, "6/:9");
        EXPECT_EQ(text(box), "469") << fromQ(box->objectName());
    }
}

// The real clock for the keyer's waits.
struct OnAPty {
    fakes::PtyPair pty;
    fakes::FakeEnvironment portNames;
    platform::qt::QtClock clock;
    platform::qt::QtScheduler scheduler;
    platform::qt::QtSerialPorts serial{portNames};
    TestSession ts{TestSession::Devices{scheduler, serial, clock}};
};

TEST(frmWinKey, OpensSendsTypesTestsStopsAndClosesAKeyerOnAPty) {
    OnAPty p;
    ASSERT_TRUE(p.pty.ok());
    p.portNames.values["PALMETAR_COM4"] = p.pty.a;
    fakes::WinKeyEmulator keyer(p.pty.b);
    ASSERT_TRUE(keyer.ok());
    p.ts->profile.StationCall = "W4XYZ";
    p.ts->keyers.cw.settings().speed = "60";
    writeFileBytes(std::filesystem::path(p.ts->folders.UserFolder) / "WK.txt",
                   "4\r\n\"18\"\r\n\"45\"\r\n\"0\"\r\n\"0\"\r\n\"50\"\r\n5\r\n16\r\n");
    frmWinKey w(*p.ts);
    w.Form_Load();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(fromQ(w.windowTitle()), " WinKey Setup");
    EXPECT_EQ(text(w.txtWKComPort), "4");
    EXPECT_EQ(text(w.txtWKWPM), "60");
    EXPECT_TRUE(w.pinOptions[2]->isChecked());   // PTT
    EXPECT_TRUE(w.modeOptions[1]->isChecked());  // Iambic A

    QTest::mouseClick(w.cmdOpenWinkey, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return text(w.lblOpenStatus) == "WK Success!"; }, 5000));
    EXPECT_EQ(text(w.lblVersion), "Version # 23");
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyer.mode() == 16; }, 5000));
    EXPECT_EQ(keyer.speed(), 60);
    EXPECT_EQ(keyer.weight(), 45);
    EXPECT_EQ(keyer.pinConfig(), 5);

    // A weight of 100 is not sent; 70 is.
    retype(w.txtWeight, "100");
    w.txtRatio->setFocus();
    retype(w.txtWeight, "70");
    w.txtRatio->setFocus();
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyer.weight() == 70; }, 5000));
    EXPECT_EQ(keyer.received().find(std::string("\x03\x64", 2)), std::string::npos);

    // Typed text shows in capitals and is keyed; Test follows it.
    w.Text1->setFocus();
    QTest::keyClicks(w.Text1, "cq");
    EXPECT_EQ(text(w.Text1), "CQ");
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyer.keyed() == "CQVVV TEST DE W4XYZ"; }, 20000)) << keyer.keyed();

    // Buffer Test, then Stop while most of it is still to be handed over: the keyer's buffer is
    // cleared and the rest is dropped. What was handed over before Stop reaches the keyer before
    // the clear buffer, so once the clear is in the keyer holds nothing, on any machine.
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyer.queued().size() >= 2; }, 5000));
    ASSERT_FALSE(p.ts->keyers.keyer.CWBuffer.empty());
    QTest::mouseClick(w.cmdStop, Qt::LeftButton);
    EXPECT_TRUE(p.ts->keyers.keyer.CWBuffer.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyer.clears() == 1; }, 5000));
    EXPECT_EQ(keyer.queued(), "");
    EXPECT_FALSE(keyer.busy());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p.ts->winKey.draining(); }, 5000));
    EXPECT_LT(keyer.handed().size(), std::string("CQVVV TEST DE W4XYZ").size() + 81u);

    QTest::mouseClick(w.cmdCloseWinkey, Qt::LeftButton);
    EXPECT_EQ(text(w.lblOpenStatus), "Closed");
    EXPECT_EQ(p.ts->keyers.keyer.WinKeyOpen, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyer.hostCloses() == 1; }, 5000));

    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    QTest::mouseClick(w.cmdDone, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(readFileBytes(std::filesystem::path(p.ts->folders.UserFolder) / "WK.txt"),
              "4\r\n\"60\"\r\n\"70\"\r\n\"0\"\r\n\"0\"\r\n\"50\"\r\n5\r\n16\r\n");
}

}  // namespace

namespace {

// The two windows on small and large screens: captions fit, nothing sticks out. Their pictures
// are written when PALMETAR_SCREENSHOTS names a folder.
TEST(VoiceKeyerWindowLayout, PhoneFrmAndFrmWinKeyOnSmallAndLargeScreens) {
    for (int width : {1024, 1920}) {
        TestSession ts;
        const int height = width == 1024 ? 768 : 1080;
        ts.fakes.screen.screen = {0, 0, width * 15.0, height * 15.0};
        ts.fakes.screen.workArea = {0, 0, width * 15.0, (height - 40) * 15.0};
        ts->voiceKeyer.waveFiles[0] = "/home/op/cq.wav";
        ts->voiceKeyer.waveFiles[4] = "/home/op/tu.wav";
        ts->voiceKeyer.repeatSeconds = "5";
        const std::string size = std::to_string(width);
        PhoneFrm phone(*ts);
        phone.Form_Load();
        phone.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&phone));
        EXPECT_LE(phone.width(), width);
        EXPECT_LE(phone.height(), height);
        testsupport::ExpectLaidOut(phone, "phonefrm-" + size);
        testsupport::SavePictureIfAsked(phone, "phonefrm-" + size);
        phone.hide();
        frmWinKey wk(*ts);
        wk.Form_Load();
        wk.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&wk));
        EXPECT_LE(wk.width(), width);
        EXPECT_LE(wk.height(), height);
        testsupport::ExpectLaidOut(wk, "frmwinkey-" + size);
        testsupport::SavePictureIfAsked(wk, "frmwinkey-" + size);
    }
}

}  // namespace
