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
//   - kForgottenMs on (from the start, the answer's start and its end), a modal window is still
//     open: one opened after the answer, or a nested one that nothing answers;
//   - no W was answered by the time the object goes away.
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

namespace detail {
// A window as a failure names it.
inline std::string windowName(const QWidget* w) {
    return std::string(w->metaObject()->className()) + " \"" + w->windowTitle().toStdString() + "\"";
}
// Closed as the program's own code would see a cancel, even by a dialog that refuses it.
inline void shutWindow(QWidget* w) {
    if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->QDialog::done(QDialog::Rejected);
    if (w->isVisible()) w->hide();
}
}  // namespace detail

enum class AfterAnswer {
    ExpectClosed,  // the answer closes the window, with the button the test is about
    Close,         // the answer only looks; the helper closes the window for it
};

class ModalAnswer {
public:
    // Long enough for any answer's own work, short beside ctest's timeout.
    static constexpr int kForgottenMs = 5000;

    ModalAnswer(std::string what, std::function<QWidget*(QWidget*)> pick, std::function<void(QWidget&)> answer,
                AfterAnswer after)
        : s_(std::make_unique<State>()) {
        s_->what = std::move(what);
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
        s->forgotten.start(kForgottenMs);
    }
    ModalAnswer(ModalAnswer&&) = default;
    ModalAnswer& operator=(ModalAnswer&&) = default;
    ~ModalAnswer() {
        if (s_ && !s_->answered && !s_->reported) ADD_FAILURE() << "no modal " << s_->what << " was shown";
    }

    bool answered() const { return s_->answered; }

private:
    struct State {
        std::string what;
        std::function<QWidget*(QWidget*)> pick;
        std::function<void(QWidget&)> answer;
        AfterAnswer after = AfterAnswer::ExpectClosed;
        QTimer look;       // at the first turn of the event loop, then every few ms until it shows
        QTimer forgotten;  // the last resort against a window left open
        bool answered = false;
        bool reported = false;
        std::vector<QPointer<QWidget>> shownBefore;  // a W already on the screen is none to answer

        static std::string name(const QWidget* w) { return detail::windowName(w); }
        static void shut(QWidget* w) { detail::shutWindow(w); }
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
                ADD_FAILURE() << "expected a modal " << what << " to answer, found " << name(modal);
                shut(modal);
                look.start(10);  // the right one may still come
                return;
            }
            answered = true;
            // Counted from the answer's start, and again from its end: its own steps get the time,
            // and what they leave open is still watched.
            forgotten.start(kForgottenMs);
            answer(*w);
            forgotten.start(kForgottenMs);
            if (w && w->isVisible()) {
                if (after == AfterAnswer::ExpectClosed) {
                    ADD_FAILURE() << "the answer left the " << what << " open";
                    shut(w);
                } else {
                    w->hide();
                }
            }
        }
        // A W that came up without being modal waits on nobody's answer.
        void closeShownNotModally() {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (!w->isVisible() || !pick(w) || w->isModal()) continue;
                if (std::find(shownBefore.begin(), shownBefore.end(), w) != shownBefore.end()) continue;
                ADD_FAILURE() << "the " << name(w) << " is shown, but not modally";
                reported = true;
                shut(w);
            }
        }
        void closeForgotten() {
            if (!answered) closeShownNotModally();
            // Bounded: a window that would not leave the modal stack must not spin here either.
            for (int i = 0; i < 10; ++i) {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal) return;
                ADD_FAILURE() << "a modal " << name(modal) << " was still open " << kForgottenMs
                              << " ms on (waiting for the " << what << " answer)";
                reported = true;
                shut(modal);
            }
        }
    };
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
                ADD_FAILURE() << step << " opened a modal " << detail::windowName(modal) << ", where none belongs";
                detail::shutWindow(modal);
            }
        }
    };
    std::unique_ptr<State> s_;
};

[[nodiscard]] inline ModalRefusal RefuseModal(std::string step) { return ModalRefusal(std::move(step)); }

template <typename W>
[[nodiscard]] ModalAnswer AnswerModal(std::function<void(W&)> answer, AfterAnswer after = AfterAnswer::ExpectClosed) {
    return ModalAnswer(
        W::staticMetaObject.className(), [](QWidget* modal) -> QWidget* { return qobject_cast<W*>(modal); },
        [answer = std::move(answer)](QWidget& w) { answer(static_cast<W&>(w)); }, after);
}

}  // namespace testsupport
