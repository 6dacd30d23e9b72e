#include "keying/ui/frmCodePractice.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "keying/CodePractice.h"
#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/ui/FormResize.h"
#include "station/ui/KeyField.h"
#include "station/ui/WindowKit.h"

using platform::qt::fromQ;
using platform::qt::toQ;
using station::ui::KeyField;
using station::ui::Pixels;
using station::ui::place;

namespace {
constexpr int kDesignWidth = 520, kDesignHeight = 400;

QLabel* label(QWidget* parent, const char* text, double x, double y, double w, double h = 16) {
    return station::ui::Label(parent, QString::fromLatin1(text), Pixels(x, y, w, h));
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, double x, double y, double w) {
    return station::ui::Button(parent, name, QString::fromLatin1(caption), Pixels(x, y, w, 24));
}

QPlainTextEdit* textArea(QWidget* parent, const char* name, double x, double y, double w, double h) {
    auto* t = station::ui::Control<QPlainTextEdit>(parent, name, Pixels(x, y, w, h));
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    f.setPointSizeF(9.75);
    t->setFont(f);
    return t;
}
}  // namespace

frmCodePractice::frmCodePractice(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("frmCodePractice"));
    setWindowTitle(QStringLiteral("On the Air Code Practice"));
    station::ui::FixedDialogWithCloseBox(*this);
    buildControls();
    session_.keyers.cw.addObserver(this);
    Form_Load();
}

frmCodePractice::~frmCodePractice() { session_.keyers.cw.removeObserver(this); }

void frmCodePractice::buildControls() {
    station::ui::SetDesignFont(this);
    place(this, 0, 0, kDesignWidth, kDesignHeight);

    auto* intro = label(this,
                        "Fill \"Text to Send\" in one of three ways: generate random groups of characters, paste "
                        "text from the clipboard, or type it in.  Then click Send.",
                        8, 6, 504, 33);
    intro->setWordWrap(true);

    label(this, " Text to Send", 8, 40, 200);
    Text1 = textArea(this, "Text1", 8, 56, 330, 120);
    label(this, " Text Sent", 8, 184, 200);
    Text2 = textArea(this, "Text2", 8, 200, 330, 100);

    label(this, "Generate", 348, 44, 52);
    Text3 = station::ui::Control<QLineEdit>(this, "Text3", Pixels(402, 42, 32, 21));
    Text3->setText(QStringLiteral("10"));
    label(this, "groups of", 438, 44, 60);
    Text4 = station::ui::Control<QLineEdit>(this, "Text4", Pixels(348, 68, 32, 21));
    Text4->setText(QStringLiteral("5"));
    label(this, "characters each.", 384, 70, 120);
    auto* include = station::ui::Frame(this, {}, QStringLiteral("Include:"), Pixels(348, 94, 164, 46));
    Option1 = station::ui::Option(include, "Option1", QStringLiteral("Letters Only"), Pixels(8, 18, 90, 20));
    Option2 = station::ui::Option(include, "Option2", QStringLiteral("All"), Pixels(104, 18, 54, 20));
    Option2->setChecked(true);

    Command2 = button(this, "Command2", "&Generate Random Characters", 348, 146, 164);
    Command1 = button(this, "Command1", "&Paste from Clipboard", 348, 174, 164);
    Command3 = button(this, "Command3", "&Send", 348, 210, 80);
    Command4 = button(this, "Command4", "S&top", 432, 210, 80);
    Command7 = button(this, "Command7", "&Faster", 348, 246, 80);
    Command8 = button(this, "Command8", "S&lower", 432, 246, 80);
    Label8 = label(this, "13", 380, 276, 30);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label(this, "WPM", 416, 276, 40);
    Command6 = button(this, "Command6", "&Clear", 258, 178 - 2, 80);
    Command5 = button(this, "Command5", "Cl&ear", 258, 302, 80);
    // The clear buttons sit under the box each one empties.
    place(Command6, 258, 180, 80, 20);
    place(Command5, 258, 304, 80, 20);

    label(this, "Type characters here to send text from keyboard:", 8, 334, 330);
    Text5 = station::ui::Control<KeyField>(this, "Text5", Pixels(8, 352, 330, 22));

    Text1->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &frmCodePractice::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmCodePractice::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmCodePractice::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmCodePractice::Command4_Click);
    connect(Command6, &QPushButton::clicked, this, [this] { Text1->clear(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Text2->clear(); });
    connect(Command7, &QPushButton::clicked, this, [this] { session_.keyers.cw.UpDown1_UpClick(); });
    connect(Command8, &QPushButton::clicked, this, [this] { session_.keyers.cw.UpDown1_DownClick(); });

    // The type-to-send box keeps nothing: each key goes to the keyer.
    Text5->KeyPress = [this](station::FieldState&, int16_t& key) {
        const int16_t typed = key;
        key = 0;
        auto& k = session_.keyers.keyer;
        if (typed == 13) return;
        if (typed == 8) {
            k.CWBuffer.pop_back();
            QString sent = Text2->toPlainText();
            if (!sent.isEmpty()) {
                sent.chop(1);
                Text2->setPlainText(sent);
            }
            return;
        }
        const char c = static_cast<char>(typed >= 'a' && typed <= 'z' ? typed - 32 : typed);
        echo(c);
        k.CWBuffer.push_back(c);
        if (k.CWSending == 0) session_.keyers.cw.LoopThroughCWBuffer();
    };
}

void frmCodePractice::Form_Load() {
    station::ui::ScaleToWorkArea(*this, session_);
    setFixedSize(size());
    Label8->setText(toQ(session_.keyers.cw.settings().speed));
}

bool frmCodePractice::eventFilter(QObject* watched, QEvent* e) {
    // Letters typed into the text to send are capitals (pasted text stays as it is).
    if (watched == Text1 && e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        const QString t = key->text();
        if (t.size() == 1 && t[0] >= QLatin1Char('a') && t[0] <= QLatin1Char('z') &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            Text1->insertPlainText(t.toUpper());
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void frmCodePractice::Command1_Click() { Text1->setPlainText(toQ(session_.platform.clipboard.text())); }

void frmCodePractice::Command2_Click() {
    const auto g = keying::GeneratePractice(fromQ(Text3->text()), fromQ(Text4->text()), Option1->isChecked(),
                                            session_.platform.random);
    Text3->setText(toQ(g.groupsText));
    Text4->setText(toQ(g.sizeText));
    Text1->setPlainText(toQ(g.text));
}

void frmCodePractice::Command3_Click() {
    SendText = fromQ(Text1->toPlainText());
    Text1->setFocus();
    next_ = 0;
    sending_ = true;
    feed();
}

// Hands the next character to the keyer once it has taken the one before (the keyer says so
// after the call, never inside it, whatever the interface), so the keyer always has the next
// character ready and the text box is read afresh for each. Characters typed in the
// type-to-send box meanwhile join the same buffer and are keyed in their turn.
void frmCodePractice::feed() {
    if (!sending_) return;
    auto& k = session_.keyers.keyer;
    SendText = fromQ(Text1->toPlainText());
    if (next_ >= SendText.size()) {
        sending_ = false;
        return;
    }
    if (!k.CWBuffer.empty()) return;
    const char c = SendText[next_];
    k.CWBuffer.push_back(c);
    if (k.CWSending == 0 && !session_.keyers.cw.LoopThroughCWBuffer()) {
        // The keyer refused (a speed it cannot key) and has said why: the practice ends.
        Command4_Click();
        return;
    }
    echo(c);
    ++next_;
    QTextCursor caret = Text1->textCursor();
    caret.setPosition(std::min<int>(static_cast<int>(next_), Text1->toPlainText().size()));
    Text1->setTextCursor(caret);
}

void frmCodePractice::echo(char c) {
    Text2->moveCursor(QTextCursor::End);
    Text2->insertPlainText(toQ(std::string(1, c)));
    Text2->verticalScrollBar()->setValue(Text2->verticalScrollBar()->maximum());
}

void frmCodePractice::Command4_Click() {
    SendText.clear();
    sending_ = false;
    auto& k = session_.keyers.keyer;
    k.CWBuffer.clear();
    // The WinKey keyer holds what it was handed and not yet sent: it goes too, as Esc clears it.
    if (k.CWInterface == 5 && k.WinKeyOpen != 0) session_.keyers.wk_clearbuf();
}

void frmCodePractice::cwSpeedChanged() { Label8->setText(toQ(session_.keyers.cw.settings().speed)); }

bool frmCodePractice::Form_Unload() {
    Command4_Click();
    return session_.keyers.keyer.CWSending == 0;
}

void frmCodePractice::reject() {
    if (Form_Unload()) QDialog::reject();
}

void frmCodePractice::closeEvent(QCloseEvent* e) {
    if (Form_Unload()) QDialog::closeEvent(e);
    else e->ignore();
}
