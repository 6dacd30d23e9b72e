// The spotting window's controls, laid out in twips on the 9600 x 7200 reference screen.
#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/Text.h"
#include "session/Session.h"
#include "spots/ui/PacketSpotfrm.h"
#include "spots/ui/PacketSpotfrmOptions.h"
#include "station/ui/WindowKit.h"

namespace spots::ui {

using platform::qt::toQ;
using station::ui::Control;
using station::ui::Twips;
using namespace options;

namespace {
QGroupBox* frame(QWidget* parent, const char* name, const char* caption, int l, int t, int w, int h) {
    return station::ui::Frame(parent, name, toQ(caption), Twips(l, t, w, h));
}

// The option buttons stand in a row along their frame.
QRadioButton* option(QWidget* parent, const std::string& name, const char* caption, int left, int width) {
    return station::ui::Option(parent, toQ(name), toQ(caption), Twips(left, 200, width, 255));
}

QLabel* label(QWidget* parent, const char* name, const char* caption, int l, int t, int w, int h,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* lb = station::ui::Label(parent, toQ(caption), Twips(l, t, w, h), name);
    lb->setAlignment(align);
    return lb;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, int l, int t, int w, int h) {
    return station::ui::Button(parent, name, toQ(caption), Twips(l, t, w, h));
}

QLineEdit* textBox(QWidget* parent, const char* name, int l, int t, int w, int h, int maxLength = 0) {
    auto* e = Control<QLineEdit>(parent, name, Twips(l, t, w, h));
    if (maxLength > 0) e->setMaxLength(maxLength);
    return e;
}

}  // namespace

void PacketSpotfrm::buildControls() {
    station::ui::place(this, Twips(0, 0, 9420, 5955));
    station::ui::SetDesignFont(this);

    // Its text stands at the top of the label, above the list that overlaps the label's lower part.
    Label1 = label(this, "Label1", "Select Option:", 240, 90, 1935, 375, Qt::AlignLeft | Qt::AlignTop);
    QFont f1 = Label1->font();
    f1.setBold(true);
    f1.setItalic(true);
    f1.setPointSizeF(9.75);
    Label1->setFont(f1);

    List1 = Control<QListWidget>(this, "List1", Twips(120, 360, 1815, 1230));
    connect(List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });

    // The caption wraps onto two lines beside the box; a click on it sets the box.
    chkDX = Control<QCheckBox>(this, "chkDX", Twips(240, 1680, 255, 495));
    chkDX->setAccessibleName(QStringLiteral("List DX Only (also controls main form)"));
    chkDXCaption_ = label(this, "chkDXCaption", "List DX Only (also controls main form)", 480, 1680, 1575, 495);
    chkDXCaption_->setWordWrap(true);
    connect(chkDX, &QCheckBox::toggled, this, [this](bool on) { session_.spotReceiver.listDxOnly = on; });

    fraPort = frame(this, "fraPort", "Comm Port", 2160, 120, 6375, 495);
    for (int i = 0; i < 10; ++i)
        optComm[static_cast<size_t>(i)] =
            option(fraPort, "optComm" + std::to_string(i), std::to_string(i + 1).c_str(), 120 + 600 * i, 560);
    fraBaud = frame(this, "fraBaud", "Baud Rate of Com Port to TNC (not necessarily transmitted baud rate)", 2160, 660,
                    6375, 495);
    for (size_t i = 0; i < optBaud.size(); ++i)
        optBaud[i] = option(fraBaud, std::string("optBaud") + kBaudValues[i], kBaudCaptions[i], kBaudLefts[i], 900);
    fraParity = frame(this, "fraParity", "Parity", 2160, 1200, 3495, 495);
    optParity = {option(fraParity, "optParityOdd", "Odd", 120, 1100), option(fraParity, "optParityNone", "None", 1320, 1100),
                 option(fraParity, "optParityEven", "Even", 2520, 900)};
    fraData = frame(this, "fraData", "Data Bits", 5760, 1200, 1455, 495);
    optData = {option(fraData, "optData7", "7", 120, 560), option(fraData, "optData8", "8", 720, 560)};
    fraStop = frame(this, "fraStop", "Stop Bits", 7320, 1200, 1215, 495);
    optStop = {option(fraStop, "optStop1", "1", 120, 460), option(fraStop, "optStop2", "2", 600, 460)};
    fraPower = frame(this, "fraPower", "Connection Power", 2160, 1740, 2415, 495);
    optPower = {option(fraPower, "optPowerNone", "None", 120, 760), option(fraPower, "optPowerRTS", "RTS", 880, 700),
                option(fraPower, "optPowerDTR", "DTR", 1600, 760)};
    Frame1 = frame(this, "Frame1", "Handshaking", 4680, 1740, 3855, 495);
    optHandshake = {option(Frame1, "Option1", "None", 120, 760), option(Frame1, "Option2", "Xon Xoff", 880, 1000),
                    option(Frame1, "Option3", "RTS", 1890, 700), option(Frame1, "Option4", "RTS OnOff", 2600, 1200)};
    // The design choices.
    choose(optComm, 0);
    choose(optBaud, 5);
    choose(optParity, 1);
    choose(optData, 1);
    choose(optStop, 0);
    choose(optPower, 0);
    choose(optHandshake, 0);
    auto serialButtons = [this](auto& group) {
        for (QRadioButton* b : group) connect(b, &QRadioButton::clicked, this, [this] { serialOptionClicked(); });
    };
    serialButtons(optComm);
    serialButtons(optBaud);
    serialButtons(optParity);
    serialButtons(optData);
    serialButtons(optStop);
    serialButtons(optPower);
    serialButtons(optHandshake);

    cmdDone = button(this, "cmdDone", "&Done", 8640, 120, 735, 500);
    station::ui::Bold(cmdDone);
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
    // The narrow buttons carry their captions on two lines.
    Command1 = button(this, "Command1", "Open\nPort", 8680, 720, 660, 495);
    Command1->setAccessibleName(QStringLiteral("Open Port"));
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Command2 = button(this, "Command2", "Close\nPort", 8680, 1320, 660, 495);
    Command2->setAccessibleName(QStringLiteral("Close Port"));
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    Label4 = label(this, "Label4", "Listening", 8640, 1920, 735, 300, Qt::AlignCenter);
    Label4->setAutoFillBackground(true);
    QPalette lp = Label4->palette();
    lp.setColor(QPalette::Window, QColor(0, 0, 255));
    lp.setColor(QPalette::WindowText, Qt::white);
    Label4->setPalette(lp);
    Label4->hide();

    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    Label2 = label(this, "Label2", "TNC cmd mode hex character:", 0, 2400, 2415, 225, right);
    txtHex = textBox(this, "txtHex", 2520, 2400, 375, 315, 2);
    Label7 = label(this, "Label7", "Telnet Host:", 3120, 2400, 975, 240, right);
    txtTelnetHost = textBox(this, "txtTelnetHost", 4200, 2400, 1215, 315);
    Label3 = label(this, "Label3", "Telnet Port:", 5520, 2400, 1095, 255, right);
    // Wide enough for five digits.
    txtTelnetPort = textBox(this, "txtTelnetPort", 6720, 2400, 600, 315, 5);

    Frame2 = frame(this, "Frame2", "Main Form Display", 7440, 2260, 1935, 495);
    OptList = option(Frame2, "OptList", "List", 120, 600);
    OptBand = option(Frame2, "OptBand", "Band Map", 720, 1150);
    OptBand->setChecked(true);

    Line1 = station::ui::Line(this, "Line1", Qt::Horizontal, Twips(120, 2775, 9120, 30));

    txtUnProcessed = Control<QPlainTextEdit>(this, "txtUnProcessed", Twips(120, 2880, 9135, 2535));
    txtUnProcessed->setReadOnly(true);
    txtUnProcessed->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtUnProcessed->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    mono.setPointSizeF(9);
    txtUnProcessed->setFont(mono);
    QPalette dp = txtUnProcessed->palette();
    dp.setColor(QPalette::Base, QColor(0, 0, 0x80));
    dp.setColor(QPalette::Text, Qt::white);
    txtUnProcessed->setPalette(dp);

    // Shown but never enabled; its state is only kept in the settings file. It stands on the
    // display with a background of its own, so a line of text behind it does not run through
    // its caption.
    chkConvToHex = Control<QCheckBox>(this, "chkConvToHex", Twips(7080, 4200, 1575, 375));
    chkConvToHex->setText(QStringLiteral("Convert to Hex"));
    chkConvToHex->setAutoFillBackground(true);

    Label6 = label(this, "Label6", "Send text  (Ctrl  C or Esc for TNC Command mode):", 0, 5595, 3975, 375, right);
    txtSent = textBox(this, "txtSent", 4080, 5520, 4575, 315);
    QFont sent = txtSent->font();
    sent.setBold(true);
    sent.setPointSizeF(9);
    txtSent->setFont(sent);
    connect(txtSent, &QLineEdit::textChanged, this, [this] { txtSent_Change(); });

    Command3 = button(this, "Command3", "&Spot Last", 8760, 5440, 615, 495);
    QFont small = Command3->font();
    small.setPointSizeF(6.75);
    Command3->setFont(small);
    Command3->setFocusPolicy(Qt::ClickFocus);
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

    // The send box comes first in the tab order.
    setTabOrder(txtSent, List1);
    // The window sees every key before its controls.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

}  // namespace spots::ui
