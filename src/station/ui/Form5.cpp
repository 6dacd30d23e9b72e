#include "station/ui/Form5.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/qt/Text.h"
#include "station/Station.h"
#include "station/ui/FormResize.h"
#include "station/ui/WindowKit.h"

using station::ui::Twips;

Form5::Form5(station::Station& station, QWidget* parent)
    : DoneDialog({"Form5", QStringLiteral("Help Page"), station::ui::DesignFace::System, Twips(0, 0, 7725, 6000)},
                 [this] { Command1_Click(); }, parent),
      station_(station) {
    setStyleSheet("Form5 { background-color: #000040; }");

    // Not Button(): this Close stays an auto-default button, as the page was designed.
    Command1 = station::ui::Control<QPushButton>(this, {}, Twips(3240, 5400, 1215, 375));
    Command1->setText(QStringLiteral("Close"));
    QFont buttonFont("Arial");
    buttonFont.setBold(true);
    buttonFont.setPointSizeF(8.25);
    Command1->setFont(buttonFont);

    Text1 = station::ui::Control<QPlainTextEdit>(this, {}, Twips(240, 240, 7215, 4935));
    Text1->setPlainText(QStringLiteral("Text1"));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setStyleSheet("QPlainTextEdit { background-color: #E0E0E0; color: black; }");
    QFont textFont("Sans Serif");
    textFont.setBold(true);
    textFont.setPointSizeF(9.75);
    Text1->setFont(textFont);

    setTabOrder(Command1, Text1);
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
}

void Form5::Form_Load() {
    station::ScaleChoices choices;
    choices.raise = false;
    choices.windowFont = station::ScaleChoices::WindowFont::WidthRatio;
    choices.kinds = {station::ControlKind::Label, station::ControlKind::TextBox, station::ControlKind::CommandButton,
                     station::ControlKind::ListBox, station::ControlKind::Image, station::ControlKind::Line};
    station::ui::ScaleFormSelf(*this, station_, choices);
    Text1->clear();
    // A missing or unreadable help file leaves the page empty, without a message.
    auto bytes = station_.platform.files.readAll(station_.programFile("ReadSQSO.txt"));
    if (!bytes) return;
    QString text = platform::qt::toQ(*bytes);
    text.replace("\r\n", "\n");
    Text1->setPlainText(text);
    Command1->setFocus();
}

void Form5::Command1_Click() { hide(); done(QDialog::Accepted); }

void Form5::showHelp(station::Station& station, QWidget* parent) {
    Form5 page(station, parent);
    page.Form_Load();
    page.Command1->setFocus();
    page.exec();
}
