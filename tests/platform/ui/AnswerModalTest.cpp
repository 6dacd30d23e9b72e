// The helper that answers modal windows in the window tests: what it reports and closes, and what
// it leaves alone. Its reports are caught here, so each case sees the failures it should raise.
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <optional>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/qt/AnswerModal.h"

using testsupport::AnswerModal;

namespace {

// Catches the failures the helper raises while it lives, so they do not count against the test;
// the test looks at them once the catcher is gone (a check made while it lives would be caught).
struct CaughtFailures {
    testing::TestPartResultArray results;
    std::optional<testing::ScopedFakeTestPartResultReporter> reporter{
        std::in_place, testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results};
    // Stops catching; returns the messages caught, each ending in a line break (a failure the
    // helper adds reads "Failed", a line break and its text).
    std::string stop() {
        reporter.reset();
        std::string all;
        for (int i = 0; i < results.size(); ++i) all += std::string(results.GetTestPartResult(i).message()) + "\n";
        return all;
    }
};

// A dialog that a fault might leave open: it gives up by itself after a while, so a helper
// that does not close it fails the test instead of hanging it.
int execBounded(QDialog& dialog, int giveUpMs = 3000) {
    QTimer::singleShot(giveUpMs, &dialog, [&dialog] { dialog.done(42); });
    return dialog.exec();
}

}  // namespace

TEST(AnswerModal, AnAnswerThatIsDoneLeavesALaterAnswersWindowAlone) {
    CaughtFailures caught;
    // The first answer's watch is short, the second's answer longer than it.
    auto first = AnswerModal<QMessageBox>([](QMessageBox& box) { box.accept(); },
                                          testsupport::AfterAnswer::ExpectClosed, 150);
    QMessageBox box;
    box.exec();
    bool stillUp = false;
    auto second = AnswerModal<QDialog>([&](QDialog& dialog) {
        QTest::qWait(600);  // the second answer at work, long past the first's watch
        stillUp = dialog.isVisible();
        dialog.accept();
    });
    QDialog dialog;
    const int result = execBounded(dialog);
    const std::string failures = caught.stop();
    EXPECT_TRUE(first.answered());
    EXPECT_EQ(failures, "");
    EXPECT_TRUE(stillUp) << "the later answer's window was closed under it";
    EXPECT_EQ(result, QDialog::Accepted);
}

TEST(AnswerModal, AWindowTheAnswerLeavesOpenIsClosedAndReportedUnlessTheAnswerOnlyLooks) {
    struct Case {
        const char* what;
        testsupport::AfterAnswer after;
        const char* failures;
    };
    const Case cases[] = {
        {"an answer that was to close it", testsupport::AfterAnswer::ExpectClosed,
         "Failed\nthe answer left the QDialog open\n"},
        {"an answer that only looks", testsupport::AfterAnswer::Close, ""},
    };
    for (const auto& c : cases) {
        CaughtFailures caught;
        bool looked = false;
        auto answer = AnswerModal<QDialog>([&](QDialog& dialog) { looked = dialog.isVisible(); }, c.after);
        QDialog dialog;
        const int result = execBounded(dialog);
        const std::string failures = caught.stop();
        EXPECT_TRUE(looked) << c.what;
        EXPECT_EQ(result, QDialog::Rejected) << c.what << ": left open until the test's own give-up";
        EXPECT_EQ(failures, c.failures) << c.what;
    }
}

TEST(AnswerModal, ANestedWindowNothingAnswersIsReportedAndClosedWithTheAnswersOwn) {
    CaughtFailures caught;
    int nested = -1;
    bool ownStillUp = true;
    auto outer = AnswerModal<QDialog>(
        [&](QDialog& dialog) {
            QMessageBox box;
            nested = execBounded(box);
            ownStillUp = dialog.isVisible();
        },
        testsupport::AfterAnswer::ExpectClosed, 200);
    QDialog dialog;
    const int result = execBounded(dialog);
    const std::string failures = caught.stop();
    EXPECT_EQ(nested, QDialog::Rejected) << "the nested box was not closed by the helper";
    EXPECT_FALSE(ownStillUp) << "the answer's own window was left open";
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(failures,
              "Failed\na modal QMessageBox \"\" was still open 200 ms after the QDialog answer began\n"
              "Failed\na modal QDialog \"\" was still open 200 ms after the QDialog answer began\n");
}

TEST(AnswerModal, AWindowOpenedWhenNoAnswerIsAtWorkIsReportedAndClosed) {
    struct Limit {
        int kept = testsupport::UnansweredModalLimitMs();
        Limit() { testsupport::UnansweredModalLimitMs() = 300; }
        ~Limit() { testsupport::UnansweredModalLimitMs() = kept; }
    } limit;
    CaughtFailures caught;
    auto done = AnswerModal<QMessageBox>([](QMessageBox& box) { box.accept(); });
    QMessageBox box;
    box.exec();
    // An answer that is done, kept alive, watches it no more; the test program's watch does.
    QDialog later;
    const int result = execBounded(later);
    const std::string failures = caught.stop();
    EXPECT_TRUE(done.answered());
    EXPECT_EQ(result, QDialog::Rejected) << "left open until the test's own give-up";
    EXPECT_EQ(failures, "Failed\na modal QDialog \"\" was open 300 ms with nothing answering it\n");
}
