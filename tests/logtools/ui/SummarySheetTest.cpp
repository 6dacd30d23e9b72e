#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "logtools/ui/DECabrilloIn.h"
#include "support/TestSession.h"

TEST(SummarySheet, StartsFromDefaultsAndStoredTextsAndWritesWhatIsChosen) {
    TestSession ts;
    ts->profile.StationCall = "K4ABC";
    ts.fakes.settings.values["Tervak_Software/Settings/UserAddressName"] = "Pat Doe";
    ts.fakes.settings.values["Tervak_Software/Settings/UserClubName"] = "FCG";
    DECabrilloIn dlg(*ts);
    EXPECT_EQ(dlg.Text5->text(), QStringLiteral("Pat Doe"));
    EXPECT_EQ(dlg.Text2->text(), QStringLiteral("FCG"));
    EXPECT_TRUE(dlg.Option3->isChecked());
    EXPECT_TRUE(dlg.Option6->isChecked());
    EXPECT_TRUE(dlg.Option10->isChecked());
    EXPECT_TRUE(dlg.Option15->isChecked());
    EXPECT_TRUE(dlg.Check1->isChecked());
    dlg.show();

    QTest::keyClicks(dlg.Text1, QStringLiteral("k4abc n4ops"));
    EXPECT_EQ(dlg.Text1->text(), QStringLiteral("K4ABC N4OPS"));
    QTest::mouseClick(dlg.Option1, Qt::LeftButton);
    QTest::mouseClick(dlg.Option5, Qt::LeftButton);
    QTest::mouseClick(dlg.Option12, Qt::LeftButton);
    QTest::mouseClick(dlg.Option14, Qt::LeftButton);
    dlg.Text11->setPlainText(QStringLiteral("Fun\nagain"));

    const std::string path = ts.root.string() + "/k4abc.log";
    ts.fakes.dialogs.fileAnswers.push_back(path);
    QTest::mouseClick(dlg.Command4, Qt::LeftButton);
    const std::string text = readFileBytes(path);
    for (const char* line : {"CATEGORY-POWER: QRP\r\n", "CATEGORY-OPERATOR: MULTI-OP\r\n", "CATEGORY-TRANSMITTER: MULTI\r\n",
                             "CATEGORY-MODE: CW\r\n", "CATEGORY-ASSISTED: ASSISTED\r\n", "OPERATORS: K4ABC N4OPS\r\n",
                             "SOAPBOX: Fun again\r\n", "CLAIMED-SCORE:  0 \r\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    EXPECT_TRUE(dlg.isVisible());
    QTest::mouseClick(dlg.Command3, Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    if (const char* dir = std::getenv("PALMETAR_SCREENSHOT_DIR")) {
        dlg.show();
        dlg.grab().save(QString::fromLocal8Bit(dir) + "/summary-sheet.png");
    }
}

TEST(SummarySheet, TabGoesDownTheSheetAndLeavesTheSoapbox) {
    TestSession ts;
    DECabrilloIn dlg(*ts);
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    dlg.Text1->setFocus();
    std::vector<QWidget*> visited;
    for (int i = 0; i < 12 && visited.size() < 12; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
        if (visited.back() == dlg.Command4) break;
    }
    auto at = [&](QWidget* w) { return std::find(visited.begin(), visited.end(), w) - visited.begin(); };
    ASSERT_FALSE(visited.empty());
    EXPECT_EQ(visited.front()->parentWidget(), dlg.Option1->parentWidget()) << "the power group comes first";
    EXPECT_LT(at(dlg.Check1), at(dlg.Text11));
    EXPECT_LT(at(dlg.Text11), at(dlg.Command4));
    EXPECT_LT(at(dlg.Command4), static_cast<long>(visited.size()));
    EXPECT_TRUE(dlg.Text11->toPlainText().isEmpty()) << "Tab moves on, it types nothing";
}
