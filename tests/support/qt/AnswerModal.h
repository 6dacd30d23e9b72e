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
// object made inside the outer answer). The test fails, and the window is hidden, when
//   - the modal window in front once the program waits is none, or not a W;
//   - the answer returns with its window still open (unless AfterAnswer::Close says that the
//     helper is to close it: a window the test only looks at);
//   - a modal window is still open kForgottenMs on (one opened after the answer, a nested one
//     that nothing answers, or the W itself when the program was not yet waiting on it);
//   - no W was answered by the time the object goes away.

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>

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
                AfterAnswer after)
        : s_(std::make_unique<State>()) {
        s_->what = std::move(what);
        s_->pick = std::move(pick);
        s_->answer = std::move(answer);
        s_->after = after;
        State* s = s_.get();
        s->first.setSingleShot(true);
        QObject::connect(&s->first, &QTimer::timeout, [s] { s->run(); });
        s->first.start(0);
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
        QTimer first;
        QTimer forgotten;
        bool answered = false;
        bool reported = false;

        static std::string name(const QWidget* w) {
            return w ? std::string(w->metaObject()->className()) + " \"" + w->windowTitle().toStdString() + "\""
                     : std::string("no window");
        }
        void run() {
            QWidget* modal = QApplication::activeModalWidget();
            QPointer<QWidget> w = pick(modal);
            if (!w) {
                reported = true;
                ADD_FAILURE() << "expected a modal " << what << " to answer, found " << name(modal);
                if (modal) modal->hide();
                return;
            }
            answered = true;
            answer(*w);
            if (w && w->isVisible()) {
                if (after == AfterAnswer::ExpectClosed) ADD_FAILURE() << "the answer left the " << what << " open";
                w->hide();
            }
        }
        void closeForgotten() {
            // Bounded: a window that would not leave the modal stack must not spin here either.
            for (int i = 0; i < 10; ++i) {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal) return;
                ADD_FAILURE() << "a modal " << name(modal) << " was still open " << kForgottenMs
                              << " ms on (waiting for the " << what << " answer)";
                reported = true;
                modal->hide();
            }
        }
    };
    std::unique_ptr<State> s_;
};

template <typename W>
[[nodiscard]] ModalAnswer AnswerModal(std::function<void(W&)> answer, AfterAnswer after = AfterAnswer::ExpectClosed) {
    return ModalAnswer(
        W::staticMetaObject.className(), [](QWidget* modal) -> QWidget* { return qobject_cast<W*>(modal); },
        [answer = std::move(answer)](QWidget& w) { answer(static_cast<W&>(w)); }, after);
}

}  // namespace testsupport
