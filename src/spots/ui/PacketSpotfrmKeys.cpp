// The spotting window's keys: it sees every key before its controls. Esc and Ctrl+C put the TNC
// into command mode; Enter in the send box sends the line and nowhere presses a default button.
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "platform/qt/Text.h"
#include "spots/ui/PacketSpotfrm.h"

namespace spots::ui {

using platform::qt::fromQ;

bool PacketSpotfrm::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const bool ctrlOnly = (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (key != Qt::Key_Escape && !(key == Qt::Key_C && ctrlOnly)) return false;
    chkDX->setChecked(false);
    if (!listening()) Command1_Click();
    bool used = false;
    if (tnc_->isOpen() && SourceKind(spotSource_) == SpotSourceKind::Tnc) {
        if (const auto ch = TncCommandCharacter(fromQ(txtHex->text()))) {
            tnc_->write(std::string(1, *ch));
            used = true;
            txtSent->setFocus();
        }
    }
    if (txtSent->text().isEmpty()) txtSent->setFocus();
    return used;
}

bool PacketSpotfrm::eventFilter(QObject* watched, QEvent* e) {
    if (watched == chkDXCaption_ && e->type() == QEvent::MouseButtonRelease && chkDX->isEnabled()) {
        chkDX->click();
        return true;
    }
    if (e->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, e);
    // Each key once: a key a control leaves unused travels on to the window as the same event.
    if (watched == this && e == lastKey_) return QDialog::eventFilter(watched, e);
    lastKey_ = watched == this ? nullptr : e;
    auto* k = static_cast<QKeyEvent*>(e);
    const int key = k->key();
    const bool used = Form_KeyDown(key, k->modifiers());
    if (key == Qt::Key_Escape) {
        // The send box turns Esc into ":" for the packet engine and drops it otherwise; a dialog
        // would close on it.
        if (watched == txtSent && SourceKind(spotSource_) == SpotSourceKind::Agw) txtSent->insert(QStringLiteral(":"));
        return true;
    }
    if (used) return true;
    if (watched == txtSent && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        SendLine();
        return true;
    }
    // Enter elsewhere must not act as a dialog's default button.
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return watched == this;
    return QDialog::eventFilter(watched, e);
}

bool PacketSpotfrm::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && SourceKind(spotSource_) != SpotSourceKind::None) {
        showDisplay();
        if (txtSent->isEnabled() && txtSent->isVisible()) txtSent->setFocus();
    }
    return QDialog::event(e);
}

}  // namespace spots::ui
