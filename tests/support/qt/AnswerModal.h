#pragma once
// Answers a modal window that the code under test opens and waits on (a dialog's exec(), or a
// tool window shown modally), and sees that the window goes away whatever the answer's checks
// found. A check that fails inside the answer, even an ASSERT that leaves it early, is red at
// once, instead of leaving the window open and the test waiting on it until ctest gives up.
//
//     auto answer = testsupport::AnswerModal<QMessageBox>([&](QMessageBox& box) {
//         EXPECT_...;
//         box.accept();
//     });
//     dialogs.messageBox(...);  // returns once the box is gone
//
// Keep the object alive over the call that opens the window (a nested window is answered by an
// object made inside the outer answer). The answer runs as soon as a W is the modal window in
// front. The test fails, and the window is closed, when
//   - a modal window that is no W comes to the front, or a W comes up without being modal;
//   - the answer returns with its window still open (unless AfterAnswer::Close says that the
//     helper is to close it: a window the test only looks at);
//   - kForgottenMs after the answer's start, while its window is still up, a modal window is
//     still open: a nested one that nothing answers, or the W itself;
//   - no W was answered by the time the object goes away.
// Once its window is gone an answer watches nothing more, so an object kept alive does not
// close a window that a later answer is working on. A modal window that no answer is looking
// for or working on is caught by WatchForUnansweredModals (every Qt test program runs it):
// it fails the test and closes the window kForgottenMs on.
//
// A step that must open no modal window (a window shown beside the one the operator works in)
// is guarded by RefuseModal: a modal window that comes up while the guard lives is closed at
// once and the test fails, instead of the step waiting on it for ever.
//
//     {
//         auto guard = testsupport::RefuseModal("Ctrl+C");
//         QTest::keyClick(...);  // returns even if the key opened a window modally
//     }

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

enum class AfterAnswer {
    ExpectClosed,  // the answer closes the window, with the button the test is about
    Close,         // the answer only looks; the helper closes the window for it
};

class ModalAnswer {
public:
    // Long enough for any answer's own work, short beside ctest's timeout.
    static constexpr int kForgottenMs = 5000;

    ModalAnswer(std::string what, std::function<QWidget*(QWidget*)> pick, std::function<void(QWidget&)> answer,
                AfterAnswer after, int forgottenMs = kForgottenMs)
        : s_(std::make_unique<State>()) {
        s_->what = std::move(what);
        s_->forgottenMs = forgottenMs;
        s_->pick = std::move(pick);
        s_->answer = std::move(answer);
        s_->after = after;
        State* s = s_.get();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && s->pick(w)) s->shownBefore.push_back(w);
        QObject::connect(&s->look, &QTimer::timeout, [s] { s->lookForIt(); });
        s->look.start(0);
        s->forgotten.setSingleShot(true);
        QObject::connect(&s->forgotten, &QTimer::timeout, [s] { s->closeForgotten(); });
        Busy().push_back(s);
    }
    ModalAnswer(ModalAnswer&&) = default;
    ModalAnswer& operator=(ModalAnswer&&) = delete;
    ~ModalAnswer() {
        if (!s_) return;
        auto& busy = Busy();
        busy.erase(std::remove(busy.begin(), busy.end(), s_.get()), busy.end());
        if (!s_->answered && !s_->reported) ADD_FAILURE() << "no modal " << s_->what << " was shown";
    }

    bool answered() const { return s_->answered; }
    // Whether some answer still looks for its window or is working on it: a modal window in
    // front is then theirs to answer or report.
    static bool AnyAtWork() {
        const auto& busy = Busy();
        return std::any_of(busy.begin(), busy.end(), [](const State* s) { return !s->answered || s->answering; });
    }
    // Closes a modal window as the program's own code would see a cancel, even by a dialog that
    // refuses it.
    static void Shut(QWidget* w) {
        if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->QDialog::done(QDialog::Rejected);
        if (w->isVisible()) w->hide();
    }
    static std::string Name(const QWidget* w) {
        return std::string(w->metaObject()->className()) + " \"" + w->windowTitle().toStdString() + "\"";
    }

private:
    struct State {
        std::string what;
        std::function<QWidget*(QWidget*)> pick;
        std::function<void(QWidget&)> answer;
        AfterAnswer after = AfterAnswer::ExpectClosed;
        int forgottenMs = kForgottenMs;
        QTimer look;       // at the first turn of the event loop, then every few ms until it shows
        QTimer forgotten;  // while the answer runs: the last resort against a window left open
        bool answered = false;
        bool answering = false;
        bool reported = false;
        std::vector<QPointer<QWidget>> shownBefore;  // a W already on the screen is none to answer

        void lookForIt() {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) {
                closeShownNotModally();
                look.start(10);  // not up yet
                return;
            }
            look.stop();
            QPointer<QWidget> w = pick(modal);
            if (!w) {
                reported = true;
                ADD_FAILURE() << "expected a modal " << what << " to answer, found " << Name(modal);
                Shut(modal);
                look.start(10);  // the right one may still come
                return;
            }
            answered = true;
            answering = true;
            forgotten.start(forgottenMs);
            answer(*w);
            if (w && w->isVisible()) {
                if (after == AfterAnswer::ExpectClosed) {
                    ADD_FAILURE() << "the answer left the " << what << " open";
                    Shut(w);
                } else {
                    w->hide();
                }
            }
            // Its window is gone: what comes up later is for another answer to take.
            answering = false;
            forgotten.stop();
        }
        // A W that came up without being modal waits on nobody's answer.
        void closeShownNotModally() {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (!w->isVisible() || !pick(w) || w->isModal()) continue;
                if (std::find(shownBefore.begin(), shownBefore.end(), w) != shownBefore.end()) continue;
                ADD_FAILURE() << "the " << Name(w) << " is shown, but not modally";
                reported = true;
                Shut(w);
            }
        }
        void closeForgotten() {
            // Bounded: a window that would not leave the modal stack must not spin here either.
            for (int i = 0; i < 10; ++i) {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal) return;
                ADD_FAILURE() << "a modal " << Name(modal) << " was still open " << forgottenMs
                              << " ms after the " << what << " answer began";
                reported = true;
                Shut(modal);
            }
        }
    };
    static std::vector<const State*>& Busy() {
        static std::vector<const State*> busy;
        return busy;
    }
    std::unique_ptr<State> s_;
};

class ModalRefusal {
public:
    explicit ModalRefusal(std::string step) : s_(std::make_unique<State>()) {
        s_->step = std::move(step);
        State* s = s_.get();
        QObject::connect(&s->look, &QTimer::timeout, [s] { s->lookForIt(); });
        s->look.start(0);  // at the first turn of the event loop, a modal one included
    }
    ModalRefusal(ModalRefusal&&) = default;
    ModalRefusal& operator=(ModalRefusal&&) = default;

private:
    struct State {
        std::string step;
        QTimer look;
        void lookForIt() {
            look.start(10);
            // Bounded: a window that would not leave the modal stack must not spin here.
            for (int i = 0; i < 10; ++i) {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal) return;
                ADD_FAILURE() << step << " opened a modal " << ModalAnswer::Name(modal) << ", where none belongs";
                ModalAnswer::Shut(modal);
            }
        }
    };
    std::unique_ptr<State> s_;
};

[[nodiscard]] inline ModalRefusal RefuseModal(std::string step) { return ModalRefusal(std::move(step)); }

template <typename W>
[[nodiscard]] ModalAnswer AnswerModal(std::function<void(W&)> answer, AfterAnswer after = AfterAnswer::ExpectClosed,
                                      int forgottenMs = ModalAnswer::kForgottenMs) {
    return ModalAnswer(
        W::staticMetaObject.className(), [](QWidget* modal) -> QWidget* { return qobject_cast<W*>(modal); },
        [answer = std::move(answer)](QWidget& w) { answer(static_cast<W&>(w)); }, after, forgottenMs);
}

// Fails the running test and closes a modal window that has stood in front kForgottenMs while no
// answer looked for it or worked on it (one opened after every answer was done, or by a test
// that answers nothing), instead of the test waiting on it until ctest's timeout. Runs on the
// event loop, which turns only inside a test. Called once, by the Qt test programs' main; the
// limit can be lowered for the helper's own test.
inline int& UnansweredModalLimitMs() {
    static int limit = ModalAnswer::kForgottenMs;
    return limit;
}
inline void WatchForUnansweredModals() {
    struct Watch {
        QPointer<QWidget> modal;  // in front, with nobody at work on it, since sinceMs
        qint64 sinceMs = 0;
        QElapsedTimer clock;
    };
    static Watch watch;
    watch.clock.start();
    auto* timer = new QTimer(qApp);  // goes with the application
    QObject::connect(timer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || ModalAnswer::AnyAtWork()) {
            watch.modal = nullptr;
            return;
        }
        if (watch.modal != modal) {
            watch.modal = modal;
            watch.sinceMs = watch.clock.elapsed();
            return;
        }
        if (watch.clock.elapsed() - watch.sinceMs < UnansweredModalLimitMs()) return;
        ADD_FAILURE() << "a modal " << ModalAnswer::Name(modal) << " was open " << UnansweredModalLimitMs()
                      << " ms with nothing answering it";
        watch.modal = nullptr;
        ModalAnswer::Shut(modal);
    });
    timer->start(100);
}

}  // namespace testsupport
