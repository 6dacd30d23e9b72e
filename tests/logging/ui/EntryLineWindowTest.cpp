// The entry line through the real logging window: keys typed into its fields, Enter, and what
// the file, the list, the score and the county lists show afterwards.

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "logging/Mains.h"
#include "logging/Prefix.h"
#include "logtools/ui/ContactEditDialog.h"
#include "platform/qt/Text.h"
#include "station/LogStore.h"
#include "station/ui/KeyField.h"
#include "support/qt/AnswerModal.h"
#include "window/ui/LoggingWindowFixture.h"

using platform::qt::fromQ;

namespace {

// The Delete key as the X server delivers it: key Delete carrying the DEL character (127).
void pressDelete(QWidget* w) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)));
    QApplication::sendEvent(w, &release);
}

struct Window {
    LoggingWindowFixture f;
    window::ui::LoggingWindow* w = nullptr;

    explicit Window(bool outOfState, bool rover = false, std::function<void(Session&)> before = {}) : f(outOfState) {
        f.ts->profile.RoverFlag = rover ? 1 : 0;
        f.ts->profile.StationLatitude = 29.65f;
        f.ts->profile.StationLongitude = 82.32f;
        f.ts->profile.WorkedColor = station::kDefaultWorkedColor;
        f.ts->profile.RemainingColor = station::kDefaultRemainingColor;
        f.ts->prefixes.rows = {{"DL", "Germany", "EU", -10.0f, 51.0f}, {"K", "USA", "NA", 98.0f, 38.0f},
                               {"W", "USA", "NA", 98.0f, 38.0f}};
        f.ts.fakes.clock.local = {2026, 4, 25, 12, 0, 0, 0};
        if (before) before(*f.ts);
        w = &f.open();
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        w->txtCall->setFocus();
        QApplication::processEvents();
    }

    // Types text into the field that has the focus, key by key, as the operator would.
    void type(const char* text) {
        for (const char* c = text; *c; ++c) {
            QWidget* target = QApplication::focusWidget();
            if (*c == '\n') QTest::keyClick(target, Qt::Key_Return);
            else if (*c == ' ') QTest::keyClick(target, Qt::Key_Space);
            else QTest::keyClicks(target, QString(QChar(*c)));
        }
    }

    std::vector<station::ContactRecord> file() const { return station::ParseLog(f.ts.readProgramFile("log.txt")); }
    std::string text(const QWidget* label) const { return fromQ(static_cast<const QLabel*>(label)->text()); }
    std::vector<std::string> items(QListWidget* list) const {
        std::vector<std::string> out;
        for (int i = 0; i < list->count(); ++i) out.push_back(fromQ(list->item(i)->text()));
        return out;
    }
    std::string topRow(int column) const { return fromQ(w->ListView1->topLevelItem(0)->text(column)); }
};

TEST(EntryLineWindow, OutOfStateLogsThreeContactsOnTwoBandsAndModes) {
    Window t(true);
    t.type("k4abc 57 lee\n");
    EXPECT_EQ(fromQ(t.w->lblDialog->text()), "");
    t.w->mnuBand20Ch_Click();
    t.w->txtCall->setFocus();
    t.type("w4xyz 55 dade\n");
    t.w->mnuSSB_Click();
    t.w->txtCall->setFocus();
    t.type("n4aaa 5 lee\n");

    const auto records = t.file();
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[3].Call, "K4ABC");
    EXPECT_EQ(records[3].RstReceived, "57");
    EXPECT_EQ(records[3].RstSent, "599");
    EXPECT_EQ(records[3].County, "Lee");
    EXPECT_EQ(records[3].Band, "40");
    EXPECT_EQ(records[4].County, "Dade");
    EXPECT_EQ(records[4].Band, "20");
    EXPECT_EQ(records[5].Mode, "PH");
    EXPECT_EQ(records[5].RstSent, "59");
    EXPECT_EQ(records[5].QsoDate, "2026/04/25");
    EXPECT_EQ(records[5].QsoTime, "16:00:00");
    EXPECT_EQ(t.f.ts->log.records(), records);

    EXPECT_EQ(t.topRow(0), "6");
    EXPECT_EQ(t.topRow(1), "N4AAA");
    EXPECT_EQ(t.topRow(5), "04/25 16:00");
    // 5 CW contacts x 2 + 1 PH; Alachua, Lee and Dade on CW, Lee on PH.
    EXPECT_EQ(t.text(t.w->lblTotCon), "1");
    EXPECT_EQ(t.text(t.w->lblSectogo), "5");
    EXPECT_EQ(t.text(t.w->lblTotSec), "4");
    EXPECT_EQ(t.text(t.w->lblTotScore), "44");
    EXPECT_EQ(t.items(t.w->List2), (std::vector<std::string>{"Alachua", "Dade", "Lee"}));
    EXPECT_EQ(t.text(t.w->lblStation[5]), "Counties Worked - 3");
    EXPECT_EQ(t.text(t.w->lblStation[7]), "Counties To Go - 64");
    EXPECT_EQ(fromQ(t.w->txtCall->text()), "");
    EXPECT_TRUE(t.w->txtCall->hasFocus());
}

TEST(EntryLineWindow, AnAcceptedCodeShowsContinentNAWhenTheLabelIsEmpty) {
    Window t(false);
    t.w->txtCall->setText("Q1AB");  // no prefix: "Not Found" and the labels emptied
    EXPECT_EQ(t.text(t.w->Label19), "");
    t.w->txtCntry->setText("ON");   // a province has no position row: the label stays empty
    EXPECT_EQ(t.text(t.w->Label19), "");
    t.w->Mains();                   // refused: no reports
    EXPECT_EQ(fromQ(t.w->lblDialog->text()), "Need Report Sent!");
    EXPECT_EQ(t.text(t.w->Label19), "NA");
}

TEST(EntryLineWindow, InStateLogsAStateADxCountryAndAFloridaCounty) {
    Window t(false);
    t.type("w1aw 57 ct\n");
    t.type("dl1abc");
    EXPECT_EQ(fromQ(t.w->txtCntry->text()), "Germany");
    EXPECT_EQ(t.text(t.w->Label19), "EU");
    EXPECT_FALSE(t.text(t.w->Label22).empty());
    EXPECT_TRUE(t.w->Label3->isVisibleTo(t.w));  // "New" on CW
    t.type(" 56\n");
    t.type("k4abc 59  lee\n");  // Space accepts the offered FL

    const auto records = t.file();
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[3].Spc, "CT");
    EXPECT_EQ(records[3].CountySent, "Alachua");
    EXPECT_EQ(records[4].Spc, "Germany");
    EXPECT_EQ(records[4].RstReceived, "56");
    EXPECT_EQ(records[5].Spc, "FL");
    EXPECT_EQ(records[5].County, "Lee");
    // NY, ON, TX, CT, FL on CW plus Germany on CW: 6 multipliers x 12 points.
    EXPECT_EQ(t.text(t.w->lblTotSec), "6");
    EXPECT_EQ(t.text(t.w->lblTotScore), "72");
    EXPECT_EQ(t.items(t.w->List1), std::vector<std::string>{"Germany"});
    EXPECT_EQ(fromQ(t.w->List1->item(0)->toolTip()), "Germany");  // a long name read whole
    EXPECT_EQ(t.items(t.w->List2), std::vector<std::string>{"Lee"});
    EXPECT_EQ(t.text(t.w->lblStation[8]), "Cnty Wkd - 1");
    EXPECT_NE(t.w->Label10[16]->styleSheet().indexOf("#008000"), -1);  // FL worked: green
    EXPECT_NE(t.w->Label10[1]->styleSheet().indexOf("#008000"), -1);   // CT

    const QImage shot = t.w->grab().toImage();
    shot.save("/tmp/palmetar-entry-line-in-state.png");
}

TEST(EntryLineWindow, OnlyACountryOfTheTableIsLoggedAsDx) {
    Window t(false);
    const std::string score = t.text(t.w->lblTotScore);
    t.type("dl1abc 57 xxpa\n");
    EXPECT_EQ(fromQ(t.w->lblDialog->text()), "Xxpa is not a valid country!");
    EXPECT_TRUE(t.w->txtCntry->hasFocus());
    EXPECT_EQ(fromQ(t.w->txtCntry->text()), "Xxpa");
    EXPECT_EQ(t.file().size(), 3u);
    EXPECT_EQ(t.text(t.w->lblTotScore), score);
    EXPECT_FALSE(t.w->Label3->isVisibleTo(t.w));  // no "New" for a name that is no country
    // Corrected in the field that has the focus: the completed name is logged and counts.
    t.w->txtCntry->selectAll();
    t.type("ger\n");
    const auto records = t.file();
    ASSERT_EQ(records.size(), 4u) << fromQ(t.w->lblDialog->text());
    EXPECT_EQ(records[3].Spc, "Germany");
    EXPECT_EQ(t.items(t.w->List1), std::vector<std::string>{"Germany"});
}

TEST(EntryLineWindow, DuplicateIsRefusedWithItsMessageAndNothingAppended) {
    Window t(true);
    t.type("k4abc 57 lee\n");
    const std::string before = t.f.ts.readProgramFile("log.txt");
    t.type("k4abc");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    // Leaving the call field warns (a mobile station may be in a new county) and fills Lee.
    EXPECT_EQ(fromQ(t.w->lblDialog->text()), "Duplicate Unless Rover!  K4ABC  2026/04/25  16:00:00   Rec#  4");
    EXPECT_EQ(fromQ(t.w->txtSec->text()), "Lee");
    t.type("\n");
    EXPECT_EQ(fromQ(t.w->lblDialog->text()), "Duplicate K4ABC  2026/04/25  16:00:00   Rec#  4");
    EXPECT_EQ(t.f.ts.readProgramFile("log.txt"), before);
    EXPECT_EQ(fromQ(t.w->txtCall->text()), "");
    EXPECT_EQ(fromQ(t.w->txtSec->text()), "");
}

TEST(EntryLineWindow, RoverCountyLineLogsThreeRecordsAndReturnsToTheFirstCounty) {
    Window t(false, true);
    t.f.ts->contest.RoverCounties = {"Alachua", "Lee", "Leon"};
    t.type("w1aw 57 ct\n");
    const auto records = t.file();
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[3].CountySent, "Alachua");
    EXPECT_EQ(records[4].CountySent, "Lee");
    EXPECT_EQ(records[5].CountySent, "Leon");
    EXPECT_EQ(t.f.ts->profile.CurrentCounty, "Alachua");
    EXPECT_EQ(t.topRow(9), "Leon");  // the "County Sent" column of a rover

    // The log fills up on the line: the contact and the Lee copy are stored, and the message
    // that the Leon copy is not stays on the status line.
    auto& log = t.f.ts->log;
    while (log.ContactCount() < station::ContactLog::MaxContacts - 2) log.records().push_back(log.at(1));
    t.type("n1xx 57 ct\n");
    EXPECT_EQ(log.ContactCount(), station::ContactLog::MaxContacts);
    EXPECT_EQ(log.at(log.ContactCount()).CountySent, "Lee");
    EXPECT_EQ(fromQ(t.w->lblDialog->text()), logging::kLogFull);
}

TEST(EntryLineWindow, BandAndModeChangesRecountFromMemoryAndEditReloadsTheFile) {
    Window t(true);
    t.type("k4abc 57 lee\n");
    const std::string score = t.text(t.w->lblTotScore);
    // log.txt changed behind the window's back: a band or mode change does not read it again.
    t.f.ts.writeProgramFile("log.txt", "");
    t.w->mnuBand20Ch_Click();
    t.w->mnuSSB_Click();
    t.w->mnu160_Click();
    t.w->mnuBand40Ch_Click();
    EXPECT_EQ(t.f.ts->log.ContactCount(), 4);
    EXPECT_EQ(t.text(t.w->lblTotScore), score);
    EXPECT_EQ(t.w->ListView1->topLevelItemCount(), 4);
    EXPECT_FALSE(t.f.ts.fakes.exit.ended());
    // An edit writes memory to the file and reads it back.
    t.w->ListView1->setCurrentItem(t.w->ListView1->topLevelItem(0));
    auto answer = testsupport::AnswerModal<ContactEditDialog>([](ContactEditDialog& dlg) {
        EXPECT_EQ(fromQ(dlg.txtEditCall->text()), "K4ABC");
        dlg.cmdDone_Click();  // nothing changed
    });
    t.w->cmdEdit_Click();
    EXPECT_EQ(t.file().size(), 4u);
    EXPECT_EQ(t.f.ts->log.ContactCount(), 4);
}

TEST(EntryLineWindow, PostContestContactWithTypedDateAndTime) {
    Window t(true);
    t.w->menuItem("mnuPostContest")->trigger();
    ASSERT_TRUE(t.w->txtPostConTime->isVisibleTo(t.w));
    t.w->txtPostConTime->setText("1405");
    t.w->txtPostConDate->setText("2016/4/23");
    t.w->txtCall->setFocus();
    t.type("k4abc 57 lee\n");
    const auto records = t.file();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[3].QsoDate, "2016/04/23");
    EXPECT_EQ(records[3].QsoTime, "14:05");
    EXPECT_EQ(fromQ(t.w->txtPostConTime->text()), "14:05");
    EXPECT_EQ(t.topRow(5), "04/23 14:05");
    // The menu a second time hides the fields and keeps their values.
    t.w->menuItem("mnuPostContest")->trigger();
    EXPECT_FALSE(t.w->txtPostConTime->isVisibleTo(t.w));
    EXPECT_EQ(fromQ(t.w->txtPostConDate->text()), "2016/04/23");
}

TEST(EntryLineWindow, FailedAppendKeepsTheTypedLine) {
    Window t(true);
    t.f.ts.fakes.files.failAppend = true;
    t.type("k4abc 57 lee\n");
    EXPECT_EQ(fromQ(t.w->lblDialog->text()), "Unable to write log.txt - contact NOT logged.");
    EXPECT_EQ(fromQ(t.w->txtCall->text()), "K4ABC");
    EXPECT_EQ(fromQ(t.w->txtSec->text()), "Lee");
    EXPECT_EQ(t.f.ts->log.ContactCount(), 3);
    EXPECT_GE(t.f.ts.fakes.dialogs.beeps, 1);
}

TEST(EntryLineWindow, KeysHopAndPasteIsFiltered) {
    Window t(true);
    t.type("k4ab5");
    EXPECT_EQ(fromQ(t.w->txtCall->text()), "K4AB");
    EXPECT_EQ(fromQ(t.w->txtRSTR->text()), "5");
    EXPECT_TRUE(t.w->txtRSTR->hasFocus());
    EXPECT_EQ(fromQ(t.w->txtRSTS->text()), "599");  // preset on leaving the call
    t.w->txtSec->setText("Le\"e\r");
    EXPECT_EQ(fromQ(t.w->txtSec->text()), "Lee");
}

TEST(EntryLineWindow, DeleteEditsAFieldAndTypesNothing) {
    Window t(true);
    t.type("k4abc");
    QTest::keyClick(t.w->txtCall, Qt::Key_End);
    pressDelete(t.w->txtCall);
    EXPECT_EQ(fromQ(t.w->txtCall->text()), "K4ABC");
    QTest::keyClick(t.w->txtCall, Qt::Key_Home);
    pressDelete(t.w->txtCall);
    EXPECT_EQ(fromQ(t.w->txtCall->text()), "4ABC");
}

TEST(EntryLineWindow, NoContactIsLoggedUntilABandAndAModeAreChosen) {
    // A first run: the profile names no band and no mode yet.
    for (bool outOfState : {true, false}) {
        SCOPED_TRACE(outOfState ? "out-of-state" : "in-state");
        Window t(outOfState, false, [](Session& s) {
            s.profile.CurrentBand.clear();
            s.profile.CurrentMode.clear();
        });
        for (const char* item : {"mnu160", "mnuSSB", "mnuDigital"}) EXPECT_FALSE(t.w->menuItem(item)->isChecked()) << item;
        t.type(outOfState ? "k4abc 57 lee" : "w1aw 57 ct");
        const int beeps = t.f.ts.fakes.dialogs.beeps;  // each call key nagged for Time On
        t.type("\n");
        EXPECT_EQ(fromQ(t.w->lblDialog->text()), t.w->profile().prompt);
        EXPECT_EQ(t.f.ts.fakes.dialogs.beeps, beeps + 1);
        EXPECT_EQ(t.file().size(), 3u);
        EXPECT_EQ(t.f.ts->log.ContactCount(), 3);
        EXPECT_FALSE(t.f.ts->contest.clock.LoggedOn);
        // The line stays as typed and the focus where Enter was pressed.
        EXPECT_EQ(fromQ(t.w->txtCall->text()), outOfState ? "K4ABC" : "W1AW");
        QLineEdit* enteredIn = outOfState ? t.w->txtSec : t.w->txtCntry;
        EXPECT_TRUE(enteredIn->hasFocus());

        // A band alone is not enough; with the mode too the same Enter logs it.
        t.w->mnuBand20Ch_Click();
        QTest::keyClick(enteredIn, Qt::Key_Return);
        EXPECT_EQ(t.file().size(), 3u);
        t.w->mnuSSB_Click();
        EXPECT_TRUE(t.w->menuItem("mnuSSB")->isChecked());
        QTest::keyClick(enteredIn, Qt::Key_Return);
        const auto records = t.file();
        ASSERT_EQ(records.size(), 4u) << fromQ(t.w->lblDialog->text());
        EXPECT_EQ(records[3].Band, "20");
        EXPECT_EQ(records[3].Mode, "PH");
    }
}

TEST(EntryLineWindow, TabAndSpaceWalkTheEntryLineOnlyAndWrapToTheCall) {
    for (bool outOfState : {true, false}) {
        SCOPED_TRACE(outOfState ? "out-of-state" : "in-state");
        Window t(outOfState);
        auto* w = t.w;
        auto focused = [] { return QApplication::focusWidget(); };
        // Tab from the call on: the fields in their order, then back to the call.
        std::vector<QWidget*> walk;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(focused(), Qt::Key_Tab);
            walk.push_back(focused());
            if (i > 0) continue;
            // Leaving the call empty checks nothing and presets no report.
            EXPECT_EQ(fromQ(w->txtRSTR->text()), "");
            EXPECT_EQ(fromQ(w->txtRSTS->text()), "");
        }
        const std::vector<QWidget*> in{w->txtRSTR, w->txtCntry, w->txtSec, w->txtRSTS, w->txtCall};
        const std::vector<QWidget*> out{w->txtRSTR, w->txtSec, w->txtRSTS, w->txtCall, w->txtRSTR};
        EXPECT_EQ(walk, outOfState ? out : in);
        // A Space after the Tab from the report sent types into the call; no button is pressed.
        w->txtRSTS->setFocus();
        QTest::keyClick(w->txtRSTS, Qt::Key_Tab);
        EXPECT_EQ(focused(), w->txtCall);
        QTest::keyClick(focused(), Qt::Key_Space);
        EXPECT_TRUE(t.f.ts->contest.PartialDupesOn);
        EXPECT_EQ(fromQ(w->cmdDup->text()), "On");

        // Post-contest mode: report sent, time, date, call, by Space as by Tab; the fields stand
        // in that order from left to right, each under its own caption.
        w->menuItem("mnuPostContest")->trigger();
        ASSERT_TRUE(w->txtPostConTime->isVisible());
        EXPECT_LT(w->txtRSTS->geometry().right(), w->txtPostConTime->x());
        EXPECT_LT(w->txtPostConTime->geometry().right(), w->txtPostConDate->x());
        EXPECT_EQ(w->lblPostConTime->x(), w->txtPostConTime->x());
        EXPECT_EQ(w->lblPostConDate->x(), w->txtPostConDate->x());
        EXPECT_LE(w->txtPostConDate->geometry().right(), w->centralWidget()->width());
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Tab}) {
            w->txtRSTS->setFocus();
            std::vector<QWidget*> order;
            for (int i = 0; i < 3; ++i) {
                QTest::keyClick(focused(), key);
                order.push_back(focused());
            }
            EXPECT_EQ(order, (std::vector<QWidget*>{w->txtPostConTime, w->txtPostConDate, w->txtCall})) << key;
        }
        w->menuItem("mnuPostContest")->trigger();

        // With the list's buttons shown, Space from the report sent reaches Edit Contact.
        w->ListView1_Click();
        w->txtRSTS->setFocus();
        QTest::keyClick(w->txtRSTS, Qt::Key_Space);
        EXPECT_EQ(focused(), w->cmdEdit);
    }
}

// Edit and Delete show after a left click anywhere in the list (on a row or below the last one)
// and when the list loses the focus, only while it has rows; a right click on a row edits it.
TEST(EntryLineWindow, ClicksInTheListAndLeavingItShowEditAndDeleteOnlyWhenItHasRows) {
    struct Case {
        const char* what;
        bool rows;
        Qt::MouseButton button;
        bool onSecondRow;
        bool shown;  // Edit and Delete after the click
    };
    const Case cases[] = {
        {"left click below the rows", true, Qt::LeftButton, false, true},
        {"right click on a row", true, Qt::RightButton, true, false},  // the edit hides them
        {"left click in an empty list", false, Qt::LeftButton, false, false},
        {"right click in an empty list", false, Qt::RightButton, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Window t(true);
        auto* w = t.w;
        QTreeWidget* list = w->ListView1;
        if (!c.rows) {
            t.f.ts.writeProgramFile("log.txt", "");
            w->RefreshFromLog();
        }
        ASSERT_EQ(list->topLevelItemCount(), c.rows ? 3 : 0);
        QPoint at(10, list->viewport()->height() - 3);
        if (c.onSecondRow) at = list->visualItemRect(list->topLevelItem(1)).center();
        else ASSERT_EQ(list->itemAt(at), nullptr);
        {
            // The edit dialog opens on the row right-clicked, and on nothing else.
            std::optional<testsupport::ModalAnswer> edit;
            if (c.rows && c.button == Qt::RightButton)
                edit.emplace(testsupport::AnswerModal<ContactEditDialog>([](ContactEditDialog& dlg) {
                    EXPECT_EQ(fromQ(dlg.txtEditCall->text()), "VE3BB");
                    dlg.cmdDone_Click();
                }));
            QTest::mouseClick(list->viewport(), c.button, {}, at);
        }
        w->activateWindow();  // back from the dialog
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        EXPECT_EQ(w->cmdEdit->isVisible(), c.shown);
        EXPECT_EQ(w->cmdDelete->isVisible(), c.shown);
        // The call field taking the focus hides them; the list losing the focus shows them
        // again when it has rows.
        w->txtCall->setFocus();
        QApplication::processEvents();
        EXPECT_FALSE(w->cmdEdit->isVisible());
        list->setFocus();
        w->txtRSTR->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(w->cmdEdit->isVisible(), c.rows);
        EXPECT_EQ(w->cmdDelete->isVisible(), c.rows);
    }
}

// A real click on a heading orders the rows by that column's text, once: the record number
// compares as text, the selected row's number is what Delete removes, and every refill lists
// newest first again.
TEST(EntryLineWindow, AClickOnAHeadingSortsTheListUntilTheNextRefill) {
    Window t(true);
    auto* w = t.w;
    auto& log = t.f.ts->log;
    for (const char* call : {"K1XX", "AB1C", "W9ZZ", "N0BB", "KA2D", "WB4E", "G3F"}) {
        station::ContactRecord r = log.at(1);
        r.Call = call;
        log.records().push_back(r);
    }
    ASSERT_TRUE(station::RewriteLog(*t.f.ts));
    w->RefreshFromLog();
    using Rows = std::vector<std::string>;
    auto column = [w](int c) {
        Rows out;
        for (int r = 0; r < w->ListView1->topLevelItemCount(); ++r) out.push_back(fromQ(w->ListView1->topLevelItem(r)->text(c)));
        return out;
    };
    QHeaderView* header = w->ListView1->header();
    auto clickHeading = [&](int c) {
        const QPoint at(header->sectionViewportPosition(c) + header->sectionSize(c) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    };
    ASSERT_EQ(fromQ(w->ListView1->headerItem()->text(1)), "Call");
    ASSERT_EQ(column(0), (Rows{"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}));

    clickHeading(1);
    EXPECT_EQ(column(1), (Rows{"AB1C", "G3F", "K1XX", "KA2D", "N0BB", "N2AA", "VE3BB", "W5CC", "W9ZZ", "WB4E"}));
    EXPECT_EQ(column(0), (Rows{"5", "10", "4", "8", "7", "1", "2", "3", "6", "9"}));
    clickHeading(0);
    EXPECT_EQ(column(0), (Rows{"1", "10", "2", "3", "4", "5", "6", "7", "8", "9"}));

    // The third row now holds record 2 (VE3BB); it is the one deleted, and the refill after the
    // delete lists newest first.
    QTreeWidgetItem* third = w->ListView1->topLevelItem(2);
    QTest::mouseClick(w->ListView1->viewport(), Qt::LeftButton, {}, w->ListView1->visualItemRect(third).center());
    ASSERT_EQ(w->ListView1->currentItem(), third);
    t.f.ts.fakes.dialogs.messageAnswers = {platform::MsgResult::Yes};
    QTest::mouseClick(w->cmdDelete, Qt::LeftButton);
    ASSERT_EQ(log.ContactCount(), 9);
    for (int k = 1; k <= log.ContactCount(); ++k) EXPECT_NE(log.at(k).Call, "VE3BB") << k;
    EXPECT_EQ(column(0), (Rows{"9", "8", "7", "6", "5", "4", "3", "2", "1"}));

    // Sorted again, the next logged contact is listed on top, the rest newest first.
    clickHeading(1);
    ASSERT_EQ(column(1).front(), "AB1C");
    w->txtCall->setFocus();
    t.type("k4abc 57 lee\n");
    ASSERT_EQ(log.ContactCount(), 10);
    EXPECT_EQ(column(0), (Rows{"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}));
    EXPECT_EQ(t.topRow(1), "K4ABC");
}

// The columns stand where the window puts them: "Copy Listed Items" writes them in that order,
// and a heading dragged elsewhere showed one order while the copy had another.
TEST(EntryLineWindow, ADraggedHeadingStaysWhereItStandsAndTheCopyHasTheShownOrder) {
    for (bool outOfState : {true, false}) {
        SCOPED_TRACE(outOfState ? "out-of-state" : "in-state");
        Window t(outOfState);
        QTreeWidget* list = t.w->ListView1;
        QHeaderView* header = list->header();
        const int last = header->count() - 1;
        auto centre = [header](int c) {
            return QPoint(header->sectionViewportPosition(c) + header->sectionSize(c) / 2, header->height() / 2);
        };
        // "Call" taken by the mouse and let go over the last heading.
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, centre(1));
        QTest::mouseMove(header->viewport(), centre(2));
        QTest::mouseMove(header->viewport(), centre(last));
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, centre(last));
        std::vector<std::string> columns, shown;
        std::string shownLine;
        for (int c = 0; c <= last; ++c) {
            columns.push_back(fromQ(list->headerItem()->text(c)));
            shown.push_back(fromQ(list->headerItem()->text(header->logicalIndex(c))));
            shownLine += (c ? "\t" : "") + shown.back();
        }
        EXPECT_EQ(shown, columns);
        t.w->menuItem("mnuCopyListtoClipboard")->trigger();
        const std::string copied = t.f.ts.fakes.clipboard.contents;
        EXPECT_EQ(copied.substr(0, copied.find("\r\n")), shownLine);
    }
}

TEST(EntryLineWindow, AShortCallShowsTheContinentBearingAndDistanceOfItsCountry) {
    Window t(false);
    t.type("dl");
    EXPECT_EQ(fromQ(t.w->txtCntry->text()), "Germany");
    EXPECT_EQ(t.text(t.w->Label19), "EU");
    EXPECT_FALSE(t.text(t.w->Label22).empty());
    EXPECT_FALSE(t.text(t.w->Label23).empty());
    const std::string miles = t.text(t.w->Label23);
    t.type("1");
    EXPECT_EQ(t.text(t.w->Label19), "EU");
    EXPECT_EQ(t.text(t.w->Label23), miles);
}

TEST(EntryLineWindow, RecallBringsTheLastCallBackWithTheFocusInTheCounty) {
    Window t(true);
    t.type("k4abc 57 lee\n");
    t.w->mnuRecall_Click();
    EXPECT_EQ(fromQ(t.w->txtCall->text()), "K4ABC");
    EXPECT_TRUE(t.w->txtSec->hasFocus());
    // Filled from the call's earlier contact and selected, so the new county is typed over it.
    EXPECT_EQ(fromQ(t.w->txtSec->text()), "Lee");
    EXPECT_EQ(fromQ(t.w->txtSec->selectedText()), "Lee");
}

TEST(EntryLineWindow, NewMarkerCountyCaptionAndStateContinent) {
    Window t(false, false, [](Session& s) {
        // The state positions give a code's continent and bearing.
        station::StateCoordTable coords;
        for (int i = 0; i < 50; ++i) coords.rows.push_back({i == 6 ? "CT" : "S" + std::to_string(i), 41.6f, 72.7f});
        s.stateCoords = coords;
    });
    auto* w = t.w;
    EXPECT_FALSE(w->Label3->isVisibleTo(w));  // hidden by the load
    // A state code: its continent from the position row, with bearing and distance.
    // (A call of no known prefix, so the labels come from the code alone.)
    t.type("q1ab 57 ");
    EXPECT_EQ(t.text(w->Label19), "");
    t.type("ct");
    const auto ct = logging::ShowBearingDistance(29.65f, 82.32f, 41.6f, 72.7f);
    EXPECT_EQ(t.text(w->Label19), "NA");
    EXPECT_EQ(t.text(w->Label22), ct.bearing);
    EXPECT_EQ(t.text(w->Label23), ct.miles);
    EXPECT_FALSE(w->Label3->isVisibleTo(w));
    w->ClearEntries();
    // The County caption is enabled for a Florida station and greyed again once it is logged.
    t.type("k4xyz 57  ");
    EXPECT_EQ(fromQ(w->txtCntry->text()), "FL");
    EXPECT_TRUE(w->lblStation[4]->isEnabled());
    t.type("lee\n");
    ASSERT_EQ(t.file().size(), 4u);
    EXPECT_FALSE(w->lblStation[4]->isEnabled());
    // "New" marks a DX country not yet worked on the mode, and only then.
    t.type("dl1abc");
    EXPECT_TRUE(w->Label3->isVisibleTo(w));
    t.type(" 57\n");
    t.type("dl2xyz");
    EXPECT_FALSE(w->Label3->isVisibleTo(w));  // Germany is worked on CW now
    w->mnuSSB_Click();
    EXPECT_TRUE(w->Label3->isVisibleTo(w));   // but not on PH
    w->ClearEntries();
    EXPECT_FALSE(w->Label3->isVisibleTo(w));
}

TEST(EntryLineWindow, AKeyRunsTheFieldsEnterHandlingWhenNoFocusEventCame) {
    // Without a window manager the window gets the keyboard but no focus event: the leave
    // handling of the call (duplicate check, report presets) must still run.
    for (bool outOfState : {true, false}) {
        Window t(outOfState);
        t.w->entry.focused = logging::EntryField::None;
        t.type(outOfState ? "k4abc 57 lee\n" : "w1aw 57 ct\n");
        const auto records = t.file();
        ASSERT_EQ(records.size(), 4u) << fromQ(t.w->lblDialog->text());
        EXPECT_EQ(records[3].RstSent, "599");
    }
}

TEST(EntryLineWindow, PartialDuplicatesListAsTheCallIsTyped) {
    for (bool outOfState : {true, false}) {
        SCOPED_TRACE(outOfState ? "out-of-state" : "in-state");
        Window t(outOfState);
        t.type(outOfState ? "k4abc 57 lee\n" : "k4abc 57  lee\n");
        ASSERT_EQ(t.f.ts->log.ContactCount(), 4);
        t.type("k");
        EXPECT_EQ(fromQ(t.w->lblDupe->text()), "K4ABC ");
        EXPECT_TRUE(t.w->lblDupe->alignment() & Qt::AlignLeft);  // the newest match first, at the left
        t.type("4a");
        EXPECT_EQ(fromQ(t.w->lblDupe->text()), "K4ABC ");
        EXPECT_EQ(fromQ(t.w->lblDialog->text()), " ");
        t.type("b");  // the field held three characters before the key
        EXPECT_EQ(fromQ(t.w->lblDialog->text()), "Possible Duplicate!");
        t.type("x");
        EXPECT_EQ(fromQ(t.w->lblDupe->text()), "");
        // The third character of a call typed without a digit in second or third place.
        t.w->ClearEntries();
        const int beeps = t.f.ts.fakes.dialogs.beeps;
        t.type("ab");
        EXPECT_EQ(fromQ(t.w->lblDialog->text()), " ");
        t.type("c");
        EXPECT_EQ(fromQ(t.w->lblDialog->text()), "The second or third character is not numeric!");
        EXPECT_EQ(t.f.ts.fakes.dialogs.beeps, beeps + 1);
    }
}

TEST(EntryLineWindow, DeleteAsksAndNeedsASelectedRow) {
    Window t(true);
    auto& asked = t.f.ts.fakes.dialogs.messages;
    const size_t atLoad = asked.size();  // the question about continuing the log
    t.w->ListView1->setCurrentItem(nullptr);
    t.w->cmdDelete_Click();
    t.w->cmdEdit_Click();
    EXPECT_EQ(asked.size(), atLoad);
    EXPECT_EQ(t.f.ts->contest.EditIndex, 0);
    t.w->ListView1->setCurrentItem(t.w->ListView1->topLevelItem(0));
    t.f.ts.fakes.dialogs.messageAnswers = {platform::MsgResult::No};
    t.w->cmdDelete_Click();
    ASSERT_EQ(asked.size(), atLoad + 1);
    EXPECT_EQ(asked.back().prompt, "Are you sure?");
    EXPECT_EQ(t.file().size(), 3u);
    t.f.ts.fakes.dialogs.messageAnswers = {platform::MsgResult::Yes};
    t.w->ListView1->setCurrentItem(t.w->ListView1->topLevelItem(0));
    t.w->cmdDelete_Click();
    EXPECT_EQ(t.file().size(), 2u);
    EXPECT_EQ(t.topRow(0), "2");

    // A log.txt that cannot be rewritten is reported; the contact stays in the list and file.
    t.f.ts.fakes.files.failWrite = true;
    t.f.ts.fakes.dialogs.messageAnswers = {platform::MsgResult::Yes};
    t.w->ListView1->setCurrentItem(t.w->ListView1->topLevelItem(0));
    t.w->cmdDelete_Click();
    EXPECT_EQ(asked.back().prompt, "Unable to write log.txt - contact NOT deleted.");
    EXPECT_EQ(t.file().size(), 2u);
    EXPECT_EQ(t.w->ListView1->topLevelItemCount(), 2);
    EXPECT_EQ(t.topRow(0), "2");
    EXPECT_FALSE(t.w->cmdDelete->isVisible());
}

}  // namespace

namespace {

TEST(EntryLineWindow, GridListsAndButtons) {
    Window t(false);
    // The pointer over a grid label names the code and counts its contacts; a click copies
    // the code into St/Prv/Country.
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(t.w->Label10[38], &enter);  // OH, no contacts
    EXPECT_EQ(fromQ(t.w->lblDupe->text()), "  Ohio    Total = 0");
    QApplication::sendEvent(t.w->Label10[7], &enter);  // NY, one contact in the fixture
    EXPECT_EQ(fromQ(t.w->lblDupe->text()), "  New York    Total = 1");
    QTest::mouseClick(t.w->Label10[13], Qt::LeftButton);
    EXPECT_EQ(fromQ(t.w->txtCntry->text()), "GA");

    // A county of the not-worked list goes into County with the home state.
    t.w->List3->setCurrentRow(0);
    emit t.w->List3->itemClicked(t.w->List3->item(0));
    EXPECT_EQ(fromQ(t.w->txtSec->text()), "Alachua");
    EXPECT_EQ(fromQ(t.w->txtCntry->text()), "FL");
    EXPECT_TRUE(t.w->lblStation[4]->isEnabled());

    // The view button: PH only shows none of the CW codes, the score stays.
    const std::string score = t.text(t.w->lblTotScore);
    t.w->mnuSSB_Click();
    t.w->Command1_Click();
    EXPECT_EQ(fromQ(t.w->Command1->text()), "Crnt Mode");
    EXPECT_NE(t.w->Label10[7]->styleSheet().indexOf("#000000"), -1);  // NY worked on CW only
    EXPECT_EQ(t.text(t.w->lblTotScore), score);
    t.w->Command1_Click();
    EXPECT_EQ(fromQ(t.w->Command1->text()), "All Modes");
    EXPECT_NE(t.w->Label10[7]->styleSheet().indexOf("#008000"), -1);

    t.w->cmdList_Click();
    EXPECT_EQ(fromQ(t.w->cmdList->text()), "All");
    t.w->cmdDup_Click();
    EXPECT_EQ(fromQ(t.w->cmdDup->text()), "Off");
    EXPECT_FALSE(t.f.ts->contest.PartialDupesOn);
}

TEST(EntryLineWindow, TimeOnAndOffThroughTheButton) {
    Window t(true);
    t.f.ts->profile.OperatingSeconds = 100;
    t.w->cmdLogOn_Click();
    EXPECT_EQ(fromQ(t.w->cmdLogOn->text()), "&Log \"Time Off\"");
    t.f.ts.fakes.clock.advanceSeconds(65);
    t.w->Timer2_Timer();
    EXPECT_EQ(fromQ(t.w->lblttrack->text()), "00:02:45");
    t.w->cmdLogOn_Click();
    EXPECT_EQ(fromQ(t.w->cmdLogOn->text()), "&Log \"Time On\"");
    EXPECT_EQ(fromQ(t.w->lblDialog->text()), "Logged Off at 4/25/2026 16:01:05");
    EXPECT_FLOAT_EQ(t.f.ts->profile.OperatingSeconds, 165);
    // Logged off, the operating time stands still.
    t.f.ts.fakes.clock.advanceSeconds(30);
    t.w->Timer2_Timer();
    EXPECT_EQ(fromQ(t.w->lblttrack->text()), "00:02:45");
    EXPECT_FLOAT_EQ(t.f.ts->RunningSeconds, 165);
}

}  // namespace

namespace {

TEST(EntryLineWindow, AnEnterReachingMainsWhileItRunsIsTakenAfterIt) {
    Window t(true);
    t.w->txtCall->setText("K4ABC");
    t.w->txtRSTR->setText("57");
    t.w->txtSec->setText("Lee");
    t.w->txtRSTS->setText("599");
    // As if the keyer's "!" arrived while a logging attempt was under way.
    t.w->entry.mainsRunning = true;
    t.w->Mains();
    EXPECT_EQ(t.f.ts->log.ContactCount(), 3);
    EXPECT_EQ(fromQ(t.w->txtCall->text()), "K4ABC");
    t.w->entry.mainsRunning = false;
    t.w->Mains();  // the attempt under way ends; the queued one follows it
    EXPECT_EQ(t.f.ts->log.ContactCount(), 4);
    QApplication::processEvents();
    // The queued attempt met an empty line: refused, nothing logged twice.
    EXPECT_EQ(t.f.ts->log.ContactCount(), 4);
    EXPECT_EQ(t.file().size(), 4u);
}

TEST(EntryLineWindow, ACallKeyAfterADuplicateResetsTheRedStatus) {
    Window t(false);
    t.type("w1aw 57 ct\n");
    t.type("w1aw ");  // the hard check on leaving the call refuses it at once
    EXPECT_EQ(fromQ(t.w->lblDialog->text()), "Duplicate W1AW 04/25 16:00:00  Rec#  4");
    EXPECT_NE(t.w->lblDialog->styleSheet().indexOf("#FF0000"), -1);
    EXPECT_EQ(fromQ(t.w->txtCall->text()), "");
    EXPECT_TRUE(t.w->txtCall->hasFocus());
    t.f.ts.fakes.clock.advanceSeconds(2);
    t.type("k");
    EXPECT_NE(t.w->lblDialog->styleSheet().indexOf("#00C0C0"), -1);
    // The flag drops 3 s after the duplicate by a timer; keys are taken meanwhile.
    EXPECT_TRUE(t.f.ts->contest.DupeFlag);
    t.type("4");
    EXPECT_EQ(fromQ(t.w->txtCall->text()), "K4");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !t.f.ts->contest.DupeFlag; }, 2500));
    // The timer went with the flag: a later duplicate keeps its flag until a call key starts
    // its own three seconds.
    t.w->txtCall->clear();
    t.type("w1aw ");
    ASSERT_TRUE(t.f.ts->contest.DupeFlag);
    const int period = t.w->entry.dupeFlagTimer->interval();
    EXPECT_FALSE(QTest::qWaitFor([&] { return !t.f.ts->contest.DupeFlag; }, period + 500))
        << "dropped by the first duplicate's timer";
}

// The pixels of a grid label that are not its silver background: the code's letters.
struct Ink {
    int pixels = 0, background = 0;
    QColor darkest{255, 255, 255};
    int greenish = 0;  // ink pixels clearly greener than red and blue
};

Ink InkOf(QLabel* label) {
    const QImage img = label->grab().toImage();
    Ink ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (std::abs(c.red() - 0xC0) + std::abs(c.green() - 0xC0) + std::abs(c.blue() - 0xC0) < 24) {
                ++ink.background;
                continue;
            }
            ++ink.pixels;
            if (c.lightness() < ink.darkest.lightness()) ink.darkest = c;
            if (c.green() > c.red() + 40 && c.green() > c.blue() + 40) ++ink.greenish;
        }
    return ink;
}

TEST(EntryLineWindow, GridCodesAreDrawnInTheirColoursOnSilverAndBothDefaultsShow) {
    Window t(false);  // NY, ON and TX worked on CW; the first-run colours
    const Ink worked = InkOf(t.w->Label10[7]);      // NY
    const Ink remaining = InkOf(t.w->Label10[38]);  // OH
    for (const Ink* ink : {&worked, &remaining}) {
        // The label itself stays silver: the colours are its text's.
        EXPECT_GT(ink->background, ink->pixels);
        EXPECT_GT(ink->pixels, 15);
    }
    EXPECT_GT(worked.greenish, 10);
    EXPECT_EQ(remaining.greenish, 0);
    EXPECT_LT(remaining.darkest.lightness(), 60);
    // An operator's colours are drawn as chosen.
    t.f.ts->profile.WorkedColor = 0x0000FF;  // red, as blue-green-red
    t.w->ShowSectionsWorked();
    const QImage img = t.w->Label10[7]->grab().toImage();
    int red = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 120 && c.blue() < 120;
        }
    EXPECT_GT(red, 10);
}

TEST(EntryLineWindow, PartialDuplicateListFontFollowsTheScreenAndFormSize) {
    struct Case {
        int width, height, percent;
    };
    // 9 points on the 640 x 480 design, scaled by the smaller of the two screen ratios (the
    // width's on a 4:3 screen) and the form size, so the list fits its panel on wide screens.
    for (const Case c : {Case{1024, 768, 100}, Case{1024, 768, 80}, Case{1920, 1080, 100}, Case{1280, 1024, 100}}) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " at " << c.percent << "%");
        LoggingWindowFixture f(true, c.width, c.height);
        f.ts->profile.FormSizePercent = static_cast<uint8_t>(c.percent);
        auto& w = f.open();
        const double points = 9.0 * std::min(c.width / 640.0, c.height / 480.0) * c.percent / 100.0;
        EXPECT_NEAR(w.lblDupe->font().pixelSize(), points * 4 / 3, 1.0);
        EXPECT_TRUE(w.lblDupe->font().bold());
        // A list of calls (capitals, digits and "/") stands whole inside the panel.
        EXPECT_LE(QFontMetrics(w.lblDupe->font()).tightBoundingRect(QStringLiteral("W1AW/4 K4ABC ")).height(),
                  w.lblDupe->height());
    }
}

// Names of the prompt files played, without ".wav".
std::vector<std::string> Heard(const Window& t) {
    std::vector<std::string> out;
    for (const auto& p : t.f.ts.fakes.wave.played) {
        const std::string name = p.substr(p.find_last_of('/') + 1);
        out.push_back(name.substr(0, name.size() - 4));
    }
    return out;
}

void WritePrompts(Window& t) {
    for (const char* q : {"Call", "RstRcvd", "RstSnt", "SPC", "County", "Dupe"}) t.f.ts.writeProgramFile(std::string(q) + ".wav", "RIFF");
}

TEST(EntryLineWindow, FieldsNameThemselvesByTheVoiceNavigationMode) {
    struct Case {
        bool outOfState;
        uint8_t mode;
        const char* keys;
        std::vector<std::string> heard;
    };
    const Case cases[] = {
        {true, 0, "k4abc 57 lee\n", {}},
        {true, 1, "k4abc 57 lee\n", {"Call"}},
        {true, 2, "k4abc 57 lee\n", {"RstRcvd", "County", "Call"}},
        // In-state: St/Prv speaks too; a county skipped for another state is still named,
        // after the report-sent field it passes the focus to.
        {false, 2, "w1aw 57 ct ", {"RstRcvd", "SPC", "RstSnt", "County"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.outOfState ? "out-of-state" : "in-state") << " mode " << int(c.mode));
        Window t(c.outOfState);
        WritePrompts(t);
        t.f.ts->profile.VoiceNavMode = c.mode;
        t.type(c.keys);
        EXPECT_EQ(Heard(t), c.heard);
    }
}

TEST(EntryLineWindow, DupeIsHeardWholeBeforeTheCallPromptWithoutHoldingTheWindow) {
    Window t(true);
    WritePrompts(t);
    auto& wave = t.f.ts.fakes.wave;
    t.type("k4abc 57 lee\n");
    t.f.ts->profile.VoiceNavMode = 1;
    wave.played.clear();
    t.type("k4abc");
    t.w->txtSec->setFocus();
    t.type("lee\n");
    EXPECT_EQ(fromQ(t.w->lblDialog->text()), "Duplicate K4ABC  2026/04/25  16:00:00   Rec#  4");
    EXPECT_EQ(Heard(t), std::vector<std::string>{"Dupe"});
    // The window goes on at once: the next call is typed while "Dupe" still plays.
    EXPECT_TRUE(t.w->txtCall->hasFocus());
    t.type("w4");
    EXPECT_EQ(fromQ(t.w->txtCall->text()), "W4");
    wave.finish();
    EXPECT_EQ(Heard(t), (std::vector<std::string>{"Dupe", "Call"}));

    // With navigation off "Dupe" still plays on a duplicate, and nothing is held for it.
    t.f.ts->profile.VoiceNavMode = 0;
    wave.played.clear();
    t.w->ClearEntries();
    t.type("k4abc");
    t.w->txtSec->setFocus();
    t.type("lee\n");
    EXPECT_EQ(Heard(t), std::vector<std::string>{"Dupe"});
    EXPECT_EQ(t.f.ts->log.ContactCount(), 4);
}

TEST(EntryLineWindow, DupeRefusedOnLeavingTheCallIsHeardBeforeTheCallPrompt) {
    Window t(false);
    WritePrompts(t);
    t.type("w1aw 57 ct\n");
    t.f.ts->profile.VoiceNavMode = 2;
    t.f.ts.fakes.wave.played.clear();
    t.type("w1aw ");  // the in-state check on leaving the call refuses it
    EXPECT_EQ(fromQ(t.w->txtCall->text()), "");
    EXPECT_EQ(Heard(t), std::vector<std::string>{"Dupe"});
    t.f.ts.fakes.wave.finish();
    EXPECT_EQ(Heard(t), (std::vector<std::string>{"Dupe", "Call"}));
}

}  // namespace
