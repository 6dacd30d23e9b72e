// The window's own key handling: every key of the window passes the key router before the
// focused control sees it.

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

#include "platform/qt/Text.h"
#include "session/Session.h"
#include "window/ui/ControlStyle.h"
#include "window/ui/LoggingWindow.h"
#include "window/ui/ToolWindows.h"

namespace window::ui {

namespace {
// Qt's key to the virtual-key code the router works with. Printable keys other than letters
// and digits have no code of their own there (their character is what counts).
int virtualKey(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return vk::F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Up: return vk::Up;
    case Qt::Key_Down: return vk::Down;
    case Qt::Key_Left: return 37;
    case Qt::Key_Right: return 39;
    case Qt::Key_Escape: return vk::Escape;
    case Qt::Key_Backspace: return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vk::Enter;
    case Qt::Key_Control: return vk::Control;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Alt: return 18;
    default: return 255;
    }
}

int shiftBits(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? kShiftBit : 0) | (m & Qt::ControlModifier ? kCtrlBit : 0) |
           (m & Qt::AltModifier ? kAltBit : 0);
}

// The character the event types, as a byte; Tab moves the focus and types nothing here.
int typedChar(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) return 0;
    if (e->key() == Qt::Key_Escape) return vk::Escape;
    if (e->key() == Qt::Key_Backspace) return vk::Back;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return vk::Enter;
    const QString text = e->text();
    if (text.size() != 1) return 0;
    const std::string bytes = platform::qt::fromQ(text);
    return bytes.size() == 1 ? static_cast<unsigned char>(bytes[0]) : 0;
}

bool isCtrlHotkey(const QKeyEvent* e) {
    if ((e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != Qt::ControlModifier)
        return false;
    switch (e->key()) {
    case Qt::Key_C: case Qt::Key_P: case Qt::Key_D: case Qt::Key_B:
    case Qt::Key_F: case Qt::Key_R: case Qt::Key_G: case Qt::Key_S: return true;
    default: return false;
    }
}
}  // namespace

KeyerPort& LoggingWindow::keyer() { return session_.keyers; }

// The filter sits on the application, so a control added later is covered as well; it acts
// only on keys bound for this window.
void LoggingWindow::installKeyFilter() { qApp->installEventFilter(this); }

bool LoggingWindow::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::ShortcutOverride && e->type() != QEvent::KeyPress) return false;
    if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != this) return false;
    // The menu bar in keyboard navigation (after Alt) keeps its keys: Esc leaves the menus
    // without clearing the entry line, the arrows move between the menus, and a key it ignores
    // is not routed when it is offered to the window behind it.
    const bool menuBar = qobject_cast<QMenuBar*>(watched) != nullptr;
    if (e->type() == QEvent::ShortcutOverride && !menuBar) {
        // A field would take Ctrl+C (copy) as its own shortcut; the hotkey comes first.
        auto* key = static_cast<QKeyEvent*>(e);
        if (isCtrlHotkey(key)) {
            key->accept();
            return false;
        }
    }
    if (e->type() == QEvent::KeyPress) {
        // A key a field ignores is offered to its parents as the same event: handle it once.
        // (Events are often built at the same address, so the time stamp tells them apart.)
        auto* key = static_cast<QKeyEvent*>(e);
        if (e == lastKey_ && key->timestamp() == lastKeyTime_ && !lastKeyReceiver_.isNull() &&
            watched != lastKeyReceiver_ && lastKeyReceiver_->isWidgetType() &&
            static_cast<QWidget*>(watched)->isAncestorOf(static_cast<QWidget*>(lastKeyReceiver_.data())))
            return false;
        lastKey_ = e;
        lastKeyTime_ = key->timestamp();
        lastKeyReceiver_ = watched;
        if (menuBar) return false;
        return handleKey(static_cast<QKeyEvent*>(e));
    }
    return false;
}

bool LoggingWindow::handleKey(QKeyEvent* e) {
    // The router keeps nothing between keys.
    KeyRouter router(static_cast<KeyRouterHost&>(*this), keyer(), profile_);
    const KeyOutcome out = router.route({virtualKey(e->key()), shiftBits(e->modifiers()), typedChar(e)});
    return !out.passToControl();
}

std::string LoggingWindow::CurrentMode() const { return session_.profile.CurrentMode; }

void LoggingWindow::OpenTool(ToolWindow window, OpenWay way, bool) {
    ToolWindows::instance().open(window, way, session_, this);
}

void LoggingWindow::SetStatusText(const std::string& text) { lblDialog->setText(platform::qt::toQ(text)); }

std::string LoggingWindow::CallText() const { return platform::qt::fromQ(txtCall->text()); }

void LoggingWindow::SetCallText(const std::string& call) { txtCall->setText(platform::qt::toQ(call)); }

void LoggingWindow::SetDialogCaption(const std::string& caption) { SetStatusText(caption); }

void LoggingWindow::SetDupeCaption(const std::string& caption) { lblDupe->setText(platform::qt::toQ(caption)); }

void LoggingWindow::SetStatusLook(StatusLook look) {
    lblDialog->setStyleSheet(QStringLiteral("QLabel { background: %1; color: black; padding-left: 3px; }")
                                 .arg(QLatin1String(look == StatusLook::Teal ? kStatusTeal : kStatusKeyboardCw)));
}

}  // namespace window::ui
