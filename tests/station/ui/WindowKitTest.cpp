// The window kit's controls behave as the windows built on them expect.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "station/ui/WindowKit.h"

using station::ui::Pixels;

// Enter typed in a field of a dialog presses none of the kit's buttons: it must not start a rig
// test from a read string, nor send a keyer message from a message box of the same dialog.
TEST(WindowKit, EnterInAFieldPressesNoButtonOfTheKit) {
    QDialog dialog;
    station::ui::place(&dialog, 0, 0, 300, 100);
    auto* field = station::ui::Control<QLineEdit>(&dialog, "field", Pixels(8, 8, 200, 22));
    auto* test = station::ui::Button(&dialog, "test", QStringLiteral("Test"), Pixels(8, 40, 60, 24));
    QSignalSpy clicks(test, &QPushButton::clicked);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Enter);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_TRUE(dialog.isVisible());
}
