// The log tools opened from a real logging window's menus.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>
#include <QCheckBox>
#include <functional>

#include "logtools/ui/ContactEditDialog.h"
#include "logtools/ui/CountyMapFL.h"
#include "logtools/ui/DECabrilloIn.h"
#include "logtools/ui/GraphQSO.h"
#include "logtools/ui/LogToolWindows.h"
#include "logtools/ui/frmCountyList.h"
#include "station/ui/KeyField.h"
#include "support/qt/AnswerModal.h"
#include "window/ui/LoggingWindowFixture.h"
#include "window/ui/ToolWindows.h"

using station::ui::KeyField;

namespace {

// Runs check on the modal window the menu item opens, then closes it; kept over the opening.
template <typename W>
testsupport::ModalAnswer whenOpened(std::function<void(W&)> check) {
    return testsupport::AnswerModal<W>(std::move(check), testsupport::AfterAnswer::Close);
}

}  // namespace

TEST(LogToolMenus, ListMapGraphAndSummaryOpenFromTheLoggingWindow) {
    LoggingWindowFixture f(false);
    f.ts.copyDataFile("countymap.png");
    logtools::ui::RegisterLogToolWindows();
    auto& w = f.open();
    w.show();

    auto list = whenOpened<frmCountyList>([](frmCountyList& list) {
        EXPECT_EQ(list.ListView1->topLevelItemCount(), 67);
        auto* lee = list.ListView1->findItems(QStringLiteral("Lee"), Qt::MatchExactly).value(0);
        ASSERT_NE(lee, nullptr);
        list.ListView1->scrollToItem(lee);
        QTest::mouseClick(list.ListView1->viewport(), Qt::LeftButton, {}, list.ListView1->visualItemRect(lee).center());
    });
    w.menuItem("mnuCountyList")->trigger();
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("Lee"));

    w.List2->clear();
    w.List2->addItems({QStringLiteral("Lee"), QStringLiteral("Alachua")});
    auto map = whenOpened<CountyMapFL>([](CountyMapFL& map) {
        // The map paints at its timer's first tick after it shows, which comes late under load.
        EXPECT_TRUE(QTest::qWaitFor([&] { return map.paintedCounties() > 0; }, 3000));
        EXPECT_EQ(map.paintedCounties(), 2);
    });
    w.menuItem("mnuMap")->trigger();

    const size_t before = f.ts.fakes.dialogs.messages.size();
    auto graph = whenOpened<GraphQSO>([](GraphQSO&) {});
    w.menuItem("mnuGraph")->trigger();
    ASSERT_GT(f.ts.fakes.dialogs.messages.size(), before);
    EXPECT_EQ(f.ts.fakes.dialogs.messages.back().title, "Not Enough Contacts to Graph.");

    auto sheet = whenOpened<DECabrilloIn>([](DECabrilloIn& sheet) { EXPECT_TRUE(sheet.Check1->isChecked()); });
    w.menuItem("mnuWriteSumm")->trigger();

    window::ui::ToolWindows::instance().unloadAll();
}

TEST(LogToolMenus, EditContactRewritesTheLogAndRedrawsTheList) {
    LoggingWindowFixture f(false);
    auto& w = f.open();
    w.show();
    ASSERT_EQ(w.ListView1->topLevelItemCount(), 3);
    // The newest contact (W5CC, record 3) stands first.
    w.ListView1->setCurrentItem(w.ListView1->topLevelItem(0));
    auto answer = testsupport::AnswerModal<ContactEditDialog>([](ContactEditDialog& dlg) {
        EXPECT_EQ(dlg.txtEditCall->text(), QStringLiteral("W5CC"));
        dlg.txtEditSec->setFocus();
        dlg.txtEditSec->setCursorPosition(0);
        QTest::keyClicks(dlg.txtEditSec, QStringLiteral("leo"));
        QTest::keyClick(dlg.txtEditSec, Qt::Key_Return);
        // These contacts were logged without an own county: Done asks for one first.
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_TRUE(dlg.Label9->isVisible());
        QTest::keyClicks(dlg.Text3, QStringLiteral("alachua"));
        QTest::keyClick(dlg.Text3, Qt::Key_Return);
        EXPECT_FALSE(dlg.isVisible());
    });
    w.cmdEdit_Click();
    const auto stored = station::ParseLog(f.ts.readProgramFile("log.txt"));
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[2].County, "Leon");
    EXPECT_EQ(stored[2].CountySent, "Alachua");
    EXPECT_EQ(stored[0].County, "");
    ASSERT_EQ(w.ListView1->topLevelItemCount(), 3);
    bool shown = false;
    for (int c = 0; c < w.ListView1->columnCount(); ++c) shown |= w.ListView1->topLevelItem(0)->text(c) == QStringLiteral("Leon");
    EXPECT_TRUE(shown);

    // Delete through the window's command: No keeps the contact, Yes removes it.
    w.ListView1->setCurrentItem(w.ListView1->topLevelItem(0));
    f.ts.fakes.dialogs.messageAnswers = {platform::MsgResult::No};
    w.cmdDelete_Click();
    EXPECT_EQ(station::ParseLog(f.ts.readProgramFile("log.txt")).size(), 3u);
    w.ListView1->setCurrentItem(w.ListView1->topLevelItem(0));
    f.ts.fakes.dialogs.messageAnswers = {platform::MsgResult::Yes};
    w.cmdDelete_Click();
    EXPECT_EQ(station::ParseLog(f.ts.readProgramFile("log.txt")).size(), 2u);
    EXPECT_EQ(w.ListView1->topLevelItemCount(), 2);
}
