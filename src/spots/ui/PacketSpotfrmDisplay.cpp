// The spotting window's receive display (what the source sends, with the program's own notes),
// its send box and its tick.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

#include "platform/qt/Text.h"
#include "session/Session.h"
#include "spots/ui/PacketSpotfrm.h"

namespace spots::ui {

using platform::qt::fromQ;
using platform::qt::toQ;

namespace {
// The receive display keeps CR LF line ends; the text box shows each line end as one break.
QString displayed(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return toQ(out);
}
}  // namespace

// ---- the send box

void PacketSpotfrm::SendLine() {
    if (!listening()) Command1_Click();
    const std::string text = fromQ(txtSent->text());
    if (SpotFeed* f = feed(SourceKind(spotSource_))) f->send(text);
    txtSent->clear();
}

void PacketSpotfrm::txtSent_Change() {
    if (sendingAgw_ || SourceKind(spotSource_) != SpotSourceKind::Agw || !timer1_->isActive()) return;
    std::string text = fromQ(txtSent->text());
    if (text.size() <= 70 || text.back() != ' ') return;
    text.pop_back();
    sendingAgw_ = true;
    txtSent->setText(toQ(text));
    agw_->SendAGW(text);
    txtSent->clear();
    sendingAgw_ = false;
}

// ---- the receive display

void PacketSpotfrm::showDisplay() {
    // A line not yet ended (a cluster's "login: " prompt, a TNC's "cmd:") is shown after the
    // display's text until its end arrives and the receiver hands the whole line over.
    const std::string& partial = session_.spotReceiver.buffer().partial();
    const bool showPartial = listening() && !chkDX->isChecked() && !partial.empty();
    txtUnProcessed->setPlainText(displayed(showPartial ? display_ + partial : display_));
    txtUnProcessed->moveCursor(QTextCursor::End);
    txtUnProcessed->verticalScrollBar()->setValue(txtUnProcessed->verticalScrollBar()->maximum());
}

void PacketSpotfrm::setDisplay(const std::string& text) {
    display_ = text;
    showDisplay();
}

void PacketSpotfrm::append(const std::string& text) {
    display_ += text;
    session_.spotReceiver.NoteShown(text);
    TrimDisplay(display_);
    showDisplay();
}

void PacketSpotfrm::appendReceived(const std::string& text) {
    const ReceiveResult r = session_.spotReceiver.Receive(text);
    display_ += r.shown;
    TrimDisplay(display_);
    showDisplay();
}

void PacketSpotfrm::Timer1_Timer() {
    if (SpotFeed* f = feed(SourceKind(spotSource_))) f->poll();
    if (session_.spotReceiver.Tick() && session_.Form1.lblDXVisible) session_.Form1.DisplayBandMapLabels();
}

}  // namespace spots::ui
