// The real input box and message box: what the operator sees and what the caller gets back.
#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QMessageBox>
#include <QLineEdit>
#include <QScreen>
#include <gtest/gtest.h>

#include <functional>

#include "platform/qt/QtServices.h"
#include "platform/qt/Text.h"
#include "support/qt/AnswerModal.h"

namespace {
// Runs `look` on the input box once it shows, then `answer` closes it.
std::string askWith(const std::string& prompt, const std::function<void(QInputDialog&)>& answer,
                    QRect* shownAt = nullptr) {
    auto shown = testsupport::AnswerModal<QInputDialog>([&](QInputDialog& box) {
        if (shownAt) *shownAt = box.frameGeometry();
        answer(box);
    });
    platform::qt::QtDialogs dialogs;
    return dialogs.inputBox(prompt, "Title", "100");
}
}  // namespace

TEST(QtInputBox, ALongPromptWrapsInsideTheScreenAndTheAnswersComeBack) {
    const std::string longPrompt =
        "Please enter the power value that you would like to record.  This is an optional value that will be "
        "included in each QSO record and displayed in Pendrake's power output column.";
    QRect shown;
    EXPECT_EQ(askWith(longPrompt, [](QInputDialog& b) { b.accept(); }, &shown), "100");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(shown.width(), screen.width());
    EXPECT_LE(shown.width(), 700);

    EXPECT_EQ(askWith("Typed", [](QInputDialog& b) {
                  b.setTextValue("5\xc3\xa9");
                  b.accept();
              }),
              "5\xe9");  // handed back in the program's 8-bit code page
    EXPECT_EQ(askWith("Cancelled", [](QInputDialog& b) { b.reject(); }), "");
}

// A window manager shows the title beside its icon and buttons and cuts what does not fit:
// "Are y...sure?", "Please ent...tput power.". The boxes leave room for the whole title, in a
// bold face, and for the icon and the three buttons of a title bar (a line height each, at least).
TEST(QtDialogBoxes, AreWideEnoughForTheirTitles) {
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    auto needs = [&](const QString& title) { return fm.horizontalAdvance(title) + 7 * fm.height(); };
    platform::qt::QtDialogs dialogs;

    for (const char* title : {"Are you sure?", "File Error", "Please enter screen percentage."}) {
        int width = 0;
        auto answer = testsupport::AnswerModal<QMessageBox>([&](QMessageBox& box) {
            width = box.width();
            box.accept();
        });
        dialogs.messageBox(title, platform::MsgButtons::YesNo, platform::MsgIcon::None, title);
        EXPECT_GE(width, needs(QString::fromLatin1(title))) << title;
    }

    const QString title = QStringLiteral("Please enter your transmitter output power.");
    int width = 0;
    auto answer = testsupport::AnswerModal<QInputDialog>([&](QInputDialog& box) {
        width = box.width();
        box.accept();
    });
    dialogs.inputBox("Please enter the power value that you would like to record.", platform::qt::fromQ(title), "100");
    EXPECT_GE(width, needs(title));
}
