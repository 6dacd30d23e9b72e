// The contact edit dialogs as real windows, driven by keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "logtools/ui/DEEditInfrm.h"
#include "logtools/ui/DEEditOut.h"
#include "logtools/ui/EditContact.h"
#include "station/LogStore.h"
#include "station/Tables.h"
#include "station/ui/KeyField.h"
#include "support/TestSession.h"
#include "support/qt/AnswerModal.h"

using station::ui::KeyField;

namespace {

station::ContactRecord contact(const char* call, const char* spc, const char* county, const char* band) {
    station::ContactRecord r;
    r.Call = call;
    r.RstSent = r.RstReceived = "599";
    r.Spc = spc;
    r.County = county;
    r.CountySent = "Orange";
    r.QsoDate = "2024/04/27";
    r.QsoTime = "16:00:00";
    r.Band = band;
    r.Mode = "CW";
    return r;
}

// Three stored contacts; the second is W1AW on 20 m, the third W1AW on 40 m.
void prepare(TestSession& ts, uint8_t outOfState = 0) {
    ts.copyDataFile("county2.txt");
    ts->profile.HomeState = "FL";
    ts->profile.OutOfState = outOfState;
    station::LoadCountyTable(*ts);
    const char* county = outOfState ? "Lee" : "";
    ts->log.records() = {contact("K4XYZ", "", "Dade", "20"), contact("W1AW", "CT", county, "20"),
                         contact("W1AW", "CT", county, "40")};
    ASSERT_TRUE(station::RewriteLog(*ts));
}

// The Delete key as the X server delivers it: key Delete carrying the DEL character (127).
void pressDelete(QWidget* w) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)));
    QApplication::sendEvent(w, &release);
}

void retype(KeyField* f, const QString& keys) {
    f->setFocus();
    f->selectAll();
    QTest::keyClick(f, Qt::Key_Backspace);
    QTest::keyClicks(f, keys);
}

}  // namespace

TEST(EditDialogs, EditingACountyThroughTheDialogRewritesTheLog) {
    TestSession ts;
    prepare(ts);
    bool driven = false;
    auto answer = testsupport::AnswerModal<ContactEditDialog>([&](ContactEditDialog& edit) {
        auto* dlg = &edit;
        EXPECT_EQ(dlg->txtEditCall->text(), QStringLiteral("K4XYZ"));
        KeyField* county = dlg->txtEditSec;
        county->setFocus();
        county->setCursorPosition(0);
        QTest::keyClicks(county, QStringLiteral("leo"));  // L replaces the text, then "Leon"
        EXPECT_EQ(county->text(), QStringLiteral("Leon"));
        QTest::keyClick(county, Qt::Key_Return);
        driven = true;
    });
    EXPECT_TRUE(logtools::ui::EditContact(*ts, 1, nullptr));
    EXPECT_TRUE(driven);
    const auto stored = station::ParseLog(ts.readProgramFile("log.txt"));
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].County, "Leon");
    EXPECT_EQ(stored[1], ts->log.at(2));
    EXPECT_EQ(ts->log.at(1).County, "Leon");
}

TEST(EditDialogs, AnEditThatCannotBeWrittenIsReportedAndTheLogStaysAsStored) {
    TestSession ts;
    prepare(ts);
    const std::string before = ts.readProgramFile("log.txt");
    ts.fakes.files.failWrite = true;
    auto answer = testsupport::AnswerModal<ContactEditDialog>([&](ContactEditDialog& edit) {
        auto* dlg = &edit;
        retype(dlg->txtEditSec, QStringLiteral("lee"));
        QTest::keyClick(dlg->txtEditSec, Qt::Key_Return);
    });
    EXPECT_FALSE(logtools::ui::EditContact(*ts, 1, nullptr));
    ASSERT_FALSE(ts.fakes.dialogs.messages.empty());
    EXPECT_EQ(ts.fakes.dialogs.messages.back().prompt, "Unable to write log.txt - change NOT saved.");
    EXPECT_EQ(ts.fakes.dialogs.messages.back().title, "File Error");
    EXPECT_EQ(ts.readProgramFile("log.txt"), before);
    // The reload leaves memory as the file is, so what is shown is what is stored.
    EXPECT_EQ(ts->log.at(1).County, "Dade");
}

TEST(EditDialogs, KeysAreFilteredPerField) {
    TestSession ts;
    prepare(ts);
    ts->contest.EditIndex = 2;
    DEEditInfrm dlg(*ts);
    dlg.show();
    struct Case {
        KeyField* field;
        const char* keys;
        const char* text;
    };
    const Case cases[] = {
        {dlg.txtEditCall, "n4\"zz", "N4ZZ"},
        {dlg.txtEditBnd, "ph", "PH"},
        {dlg.txtEditDate, "2024-04/x28", "202404/28"},
        {dlg.txtEditTime, "16h:05", "16:05"},
        {dlg.txtEditSec, "b", "Broward"},
        {dlg.Text3, "st. j", "St. Johns"},
    };
    for (const auto& c : cases) {
        retype(c.field, QString::fromLatin1(c.keys));
        EXPECT_EQ(c.field->text(), QString::fromLatin1(c.text)) << c.keys;
    }
}

TEST(EditDialogs, DoneChecksEveryFieldAndStoresNothingOnAFailure) {
    TestSession ts;
    prepare(ts);
    struct Case {
        const char* what;
        KeyField* (*field)(ContactEditDialog&);
        const char* keys;
        QLabel* (*marker)(ContactEditDialog&);
        const char* box;
    };
    const Case cases[] = {
        {"band 17", [](ContactEditDialog& d) { return d.Text1; }, "17", [](ContactEditDialog& d) { return d.Label6; }, nullptr},
        {"mode RY", [](ContactEditDialog& d) { return d.txtEditBnd; }, "RY", [](ContactEditDialog& d) { return d.Label3; }, nullptr},
        {"county", [](ContactEditDialog& d) { return d.txtEditSec; }, "Xanadu", [](ContactEditDialog& d) { return d.Label7; }, nullptr},
        {"SPC", [](ContactEditDialog& d) { return d.txtEditPre; }, "xq", [](ContactEditDialog& d) { return d.Label2; }, nullptr},
        {"date", [](ContactEditDialog& d) { return d.txtEditDate; }, "2024/13/01", nullptr, "Invalid Date Format!"},
        {"time", [](ContactEditDialog& d) { return d.txtEditTime; }, "1605", nullptr, "Invalid Time Format!"},
    };
    for (const auto& c : cases) {
        ts.fakes.dialogs.messages.clear();
        ts->contest.EditIndex = 1;
        DEEditInfrm dlg(*ts);
        dlg.show();
        retype(c.field(dlg), QString::fromLatin1(c.keys));
        const int beeps = ts.fakes.dialogs.beeps;
        QTest::keyClick(c.field(dlg), Qt::Key_Return);
        EXPECT_TRUE(dlg.isVisible()) << c.what;
        EXPECT_GT(ts.fakes.dialogs.beeps, beeps) << c.what;
        if (c.marker) {
            EXPECT_TRUE(c.marker(dlg)->isVisible()) << c.what;
        }
        if (c.box) {
            ASSERT_FALSE(ts.fakes.dialogs.messages.empty()) << c.what;
            EXPECT_EQ(ts.fakes.dialogs.messages.back().title, c.box);
        }
        EXPECT_EQ(ts->log.at(1), contact("K4XYZ", "", "Dade", "20")) << c.what;
    }
}

// Both dialogs, opened as the window opens them: a call emptied and Enter pressed in another
// field is refused as the entry line refuses it, the focus goes back to the call, and log.txt
// keeps the contact as it was even after the dialog is closed some other way.
TEST(EditDialogs, AnEmptiedCallIsRefusedAndNeverStored) {
    for (const uint8_t outOfState : {0, 1}) {
        TestSession ts;
        prepare(ts, outOfState);
        const std::string before = ts.readProgramFile("log.txt");
        bool driven = false;
        auto answer = testsupport::AnswerModal<ContactEditDialog>([&](ContactEditDialog& edit) {
            auto* dlg = &edit;
            retype(dlg->txtEditCall, QString());
            dlg->Text1->setFocus();
            const int beeps = ts.fakes.dialogs.beeps;
            QTest::keyClick(dlg->Text1, Qt::Key_Return);
            EXPECT_TRUE(dlg->isVisible());
            EXPECT_GT(ts.fakes.dialogs.beeps, beeps);
            ASSERT_FALSE(ts.fakes.dialogs.messages.empty());
            EXPECT_EQ(ts.fakes.dialogs.messages.back().prompt, "Need Call Sign!");
            EXPECT_EQ(dlg->focusWidget(), dlg->txtEditCall);
            EXPECT_EQ(ts->log.at(2).Call, "W1AW");
            // Two characters are no call either; three are.
            retype(dlg->txtEditCall, QStringLiteral("w1"));
            QTest::keyClick(dlg->txtEditCall, Qt::Key_Return);
            EXPECT_TRUE(dlg->isVisible());
            dlg->reject();
            driven = true;
        });
        logtools::ui::EditContact(*ts, 2, nullptr);
        EXPECT_TRUE(driven) << int(outOfState);
        EXPECT_EQ(ts.readProgramFile("log.txt"), before) << int(outOfState);
        EXPECT_EQ(ts->log.at(2).Call, "W1AW");
    }
}

TEST(EditDialogs, LeavingAFieldChecksIt) {
    TestSession ts;
    prepare(ts, 1);
    ts->contest.EditIndex = 2;
    DEEditOut dlg(*ts);
    dlg.show();
    dlg.txtEditPre->setText(QString());
    EXPECT_FALSE(dlg.County_LostFocus());
    EXPECT_TRUE(dlg.Label2->isVisible());
    EXPECT_TRUE(ts->contest.BadEntry);
    dlg.txtEditPre->setText(QStringLiteral("lee"));
    EXPECT_TRUE(dlg.County_LostFocus());
    EXPECT_FALSE(dlg.Label2->isVisible());
    EXPECT_FALSE(ts->contest.BadEntry);
    dlg.Text1->setText(QStringLiteral("17"));
    EXPECT_FALSE(dlg.Text1_LostFocus());
    EXPECT_TRUE(dlg.Label6->isVisible());
}

TEST(EditDialogs, DuplicateShowsDeleteDupeAndNoDeletesNothing) {
    TestSession ts;
    prepare(ts);
    ts->contest.EditIndex = 3;
    DEEditInfrm dlg(*ts);
    dlg.show();
    EXPECT_FALSE(dlg.cmdDeleteDupe->isVisible());
    retype(dlg.Text1, QStringLiteral("20"));
    QTest::keyClick(dlg.Text1, Qt::Key_Return);
    EXPECT_TRUE(dlg.Label1->isVisible());
    EXPECT_TRUE(dlg.cmdDeleteDupe->isVisible());
    EXPECT_EQ(ts->log.at(3).Band, "40");

    ts.fakes.dialogs.messageAnswers = {platform::MsgResult::No};
    QTest::mouseClick(dlg.cmdDeleteDupe, Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(ts.fakes.dialogs.messages.back().prompt, "Are you sure?");
    EXPECT_EQ(ts->log.ContactCount(), 3);
    EXPECT_EQ(station::ParseLog(ts.readProgramFile("log.txt")).size(), 3u);
}

TEST(EditDialogs, OutOfStateStoresTrimmedValues) {
    TestSession ts;
    prepare(ts, 1);
    ts->contest.EditIndex = 2;
    DEEditOut dlg(*ts);
    dlg.show();
    EXPECT_EQ(dlg.txtEditPre->text(), QStringLiteral("Lee"));
    EXPECT_EQ(dlg.Text3, nullptr);
    retype(dlg.txtEditCall, QStringLiteral("n4zz "));
    QTest::keyClick(dlg.txtEditCall, Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(ts->log.at(2).Call, "N4ZZ");
    if (const char* dir = std::getenv("PALMETAR_SCREENSHOT_DIR")) {
        ts->contest.EditIndex = 1;
        DEEditInfrm in(*ts);
        in.Label1->show();
        in.cmdDeleteDupe->show();
        in.Label6->show();
        in.show();
        in.grab().save(QString::fromLocal8Bit(dir) + "/edit-in-state.png");
    }
}

TEST(EditDialogs, DeleteEditsAndNoControlCharacterIsStored) {
    TestSession ts;
    prepare(ts);
    bool driven = false;
    auto answer = testsupport::AnswerModal<ContactEditDialog>([&](ContactEditDialog& edit) {
        auto* dlg = &edit;
        // End then Delete in the call: nothing after the caret, nothing changes. Home then
        // Delete takes the first character away, as in any text field.
        dlg->txtEditCall->setFocus();
        QTest::keyClick(dlg->txtEditCall, Qt::Key_End);
        pressDelete(dlg->txtEditCall);
        EXPECT_EQ(dlg->txtEditCall->text(), QStringLiteral("W1AW"));
        retype(dlg->txtEditCk, QStringLiteral("5799"));
        QTest::keyClick(dlg->txtEditCk, Qt::Key_Home);
        pressDelete(dlg->txtEditCk);
        EXPECT_EQ(dlg->txtEditCk->text(), QStringLiteral("799"));
        // "pa" then Delete in SPC: the two letters stay, nothing is added.
        retype(dlg->txtEditPre, QStringLiteral("pa"));
        pressDelete(dlg->txtEditPre);
        EXPECT_EQ(dlg->txtEditPre->text().toUpper(), QStringLiteral("PA"));
        // A paste carrying a TAB and a line break, as from another program's table.
        QApplication::clipboard()->setText(QStringLiteral("57\t9\r\n"));
        dlg->txtEditNum->setFocus();
        dlg->txtEditNum->selectAll();
        QTest::keyClick(dlg->txtEditNum, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(dlg->txtEditNum, Qt::Key_Return);
        driven = true;
    });
    EXPECT_TRUE(logtools::ui::EditContact(*ts, 2, nullptr));
    EXPECT_TRUE(driven);
    const auto stored = station::ParseLog(ts.readProgramFile("log.txt"));
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[1].Call, "W1AW");
    EXPECT_EQ(stored[1].RstReceived, "799");
    EXPECT_EQ(stored[1].Spc, "PA");
    EXPECT_EQ(stored[1].RstSent, "579");
    EXPECT_EQ(ts->log.at(2), stored[1]);  // memory holds what the file holds
}

TEST(EditDialogs, SpcTakesAStateCodeOrACountryOfTheTableAndNothingElse) {
    TestSession ts;
    prepare(ts);
    ts->prefixes.rows = {{"ZP", "Paraguay", "SA", 58, -23}, {"KP4", "Puerto Rico", "NA", 66, 18}};
    struct Case {
        const char* keys;
        bool stored;
        const char* spc;
    };
    for (const Case c : {Case{"pa", true, "PA"}, Case{"xxpa", false, nullptr}, Case{"g", false, nullptr},
                         Case{"puerto", true, "Puerto Rico"}}) {
        const std::string before = ts->log.at(2).Spc;
        ts->contest.EditIndex = 2;
        DEEditInfrm dlg(*ts);
        dlg.show();
        retype(dlg.txtEditPre, QString::fromLatin1(c.keys));
        QTest::keyClick(dlg.txtEditPre, Qt::Key_Return);  // Enter accepts what the field shows
        EXPECT_EQ(dlg.isVisible(), !c.stored) << c.keys;
        EXPECT_EQ(dlg.Label2->isVisible(), !c.stored) << c.keys;
        EXPECT_EQ(ts->log.at(2).Spc, c.stored ? std::string(c.spc) : before) << c.keys;
    }
}
