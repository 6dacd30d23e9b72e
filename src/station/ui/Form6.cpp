#include "station/ui/Form6.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "station/Station.h"
#include "station/ui/FormResize.h"
#include "station/ui/WindowKit.h"

using station::ui::placeTwips;

QColor colorFromBgr(int32_t bgr, const QWidget* widget) {
    if (static_cast<uint32_t>(bgr) & 0x80000000u) {
        // System colours: the button face is the one the stored profiles use.
        return widget ? widget->palette().color(QPalette::Button) : QColor(Qt::lightGray);
    }
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

namespace {
void setTextColor(QLabel* label, int32_t bgr) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colorFromBgr(bgr, label));
    label->setPalette(p);
}
}  // namespace

Form6::Form6(station::Station& station, QWidget* parent) : QDialog(parent), station_(station) {
    setObjectName("Form6");
    setWindowTitle(" Modify Multiplier Color Selections");
    station::ui::FixedDialogWithCloseBox(*this);
    station::ui::SetDesignFont(this, station::ui::DesignFace::System);
    placeTwips(this, 0, 0, 5595, 2115);

    QFont sampleFont("Arial");
    sampleFont.setPointSizeF(9);
    Command1 = new QPushButton("Change \"Remaining\" Color", this);
    placeTwips(Command1, 120, 120, 2535, 495);
    Label2 = new QLabel("Appearance of multiplier remaining", this);
    Label2->setWordWrap(true);
    Label2->setFont(sampleFont);
    placeTwips(Label2, 480, 840, 1935, 495);
    Command3 = new QPushButton("Change \"Worked\" Color", this);
    placeTwips(Command3, 2880, 120, 2535, 495);
    Label1 = new QLabel("Appearance of multiplier worked", this);
    Label1->setWordWrap(true);
    Label1->setFont(sampleFont);
    placeTwips(Label1, 3240, 840, 1935, 495);
    Line2 = station::ui::Line(this, {}, Qt::Vertical, station::ui::Twips(2745, 0, 30, 1440));
    Line1 = station::ui::Line(this, {}, Qt::Horizontal, station::ui::Twips(120, 1425, 5400, 30));
    Command6 = new QPushButton("Done", this);
    placeTwips(Command6, 2160, 1680, 1095, 375);

    setTabOrder(Command1, Command3);
    setTabOrder(Command3, Command6);
    connect(Command1, &QPushButton::clicked, this, &Form6::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &Form6::Command3_Click);
    connect(Command6, &QPushButton::clicked, this, &Form6::Command6_Click);
}

void Form6::Form_Load() {
    station::ScaleChoices choices;
    choices.raise = false;
    choices.windowFont = station::ScaleChoices::WindowFont::WidthRatio;
    choices.controlFont = station::ScaleChoices::ControlFont::WidthRatio;
    choices.kinds = {station::ControlKind::Label,   station::ControlKind::TextBox, station::ControlKind::CommandButton,
                     station::ControlKind::ListBox, station::ControlKind::CheckBox, station::ControlKind::Image,
                     station::ControlKind::Line};
    station::ui::ScaleFormSelf(*this, station_, choices);
    setFixedSize(size());
    setTextColor(Label1, station_.profile.WorkedColor);
    setTextColor(Label2, station_.profile.RemainingColor);
}

void Form6::pick(int32_t& color, QLabel* sample) {
    // The dialog starts from the current colour, so a cancel keeps it (never black).
    const int32_t start = color;
    color = station_.platform.dialogs.colorDialog(start).value_or(start);
    setTextColor(sample, color);
}

void Form6::Command1_Click() { pick(station_.profile.RemainingColor, Label2); }
void Form6::Command3_Click() { pick(station_.profile.WorkedColor, Label1); }
void Form6::Command6_Click() { hide(); done(QDialog::Accepted); }

void Form6::chooseColors(station::Station& station, QWidget* parent) {
    Form6 chooser(station, parent);
    chooser.Form_Load();
    chooser.exec();
}
