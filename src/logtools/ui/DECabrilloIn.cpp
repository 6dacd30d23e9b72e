#include "logtools/ui/DECabrilloIn.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <iterator>

#include "logtools/CabrilloSubmission.h"
#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/ui/FormResize.h"
#include "station/ui/WindowKit.h"

using station::ui::placeTwips;

namespace {

constexpr int kFrameTop = 2340, kFrameHeight = 2100;

// A frame of option buttons, one under the other, in twips.
QGroupBox* group(const QString& title, std::initializer_list<QRadioButton*> options, int left, int width,
                 QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    placeTwips(box, left, kFrameTop, width, kFrameHeight);
    auto* buttons = new QButtonGroup(box);
    int top = 270;
    for (auto* o : options) {
        o->setParent(box);
        placeTwips(o, 120, top, width - 180, 270);
        buttons->addButton(o);
        top += 300;
    }
    return box;
}

// An option button that a click anywhere on it selects, not only on its circle and caption.
class OptionButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QRadioButton* option(const char* name, const QString& caption, QWidget* parent) {
    auto* o = new OptionButton(caption, parent);
    o->setObjectName(QString::fromLatin1(name));
    return o;
}

QLineEdit* field(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

}  // namespace

DECabrilloIn::DECabrilloIn(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setWindowTitle(QStringLiteral("Summary Sheet Information"));
    station::ui::FixedDialogWithCloseBox(*this);
    station::ui::SetDesignFont(this, station::ui::DesignFace::System);
    Text5 = field("Text5", this);
    Text6 = field("Text6", this);
    Text7 = field("Text7", this);
    Text8 = field("Text8", this);
    Text2 = field("Text2", this);
    Text1 = field("Text1", this);
    Text11 = new QPlainTextEdit(this);
    Text11->setObjectName(QStringLiteral("Text11"));

    Option1 = option("Option1", QStringLiteral("QRP (5W)"), this);
    Option3 = option("Option3", QStringLiteral("Low (150W)"), this);
    Option4 = option("Option4", QStringLiteral("High"), this);
    Option6 = option("Option6", QStringLiteral("Single Op"), this);
    Option5 = option("Option5", QStringLiteral("Multi Op"), this);
    Option8 = option("Option8", QStringLiteral("Multi Multi"), this);
    Option7 = option("Option7", QStringLiteral("School"), this);
    Option2 = option("Option2", QStringLiteral("Mobile"), this);
    Option9 = option("Option9", QStringLiteral("SWL"), this);
    Option10 = option("Option10", QStringLiteral("Mixed"), this);
    Option11 = option("Option11", QStringLiteral("SSB"), this);
    Option12 = option("Option12", QStringLiteral("CW"), this);
    Option15 = option("Option15", QStringLiteral("No"), this);
    Option14 = option("Option14", QStringLiteral("Yes"), this);
    Check1 = new QCheckBox(QStringLiteral("Use county abbreviations in Cabrillo output."), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Command4 = new QPushButton(QStringLiteral("Write Cabrillo and Summary Files"), this);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command3 = new QPushButton(QStringLiteral("Done"), this);
    Command3->setObjectName(QStringLiteral("Command3"));

    // Laid out in twips on the reference screen; scaled when the dialog loads.
    placeTwips(this, 0, 0, 7800, 6600);
    const std::pair<const char*, QWidget*> rows[] = {
        {"Your Name:", Text5}, {"Address Line 1:", Text6}, {"Address Line 2:", Text7},
        {"Email Address:", Text8}, {"Club Name:", Text2}, {"If Multi Op, list all calls:", Text1},
    };
    int top = 120;
    for (const auto& [caption, widget] : rows) {
        auto* label = new QLabel(QString::fromLatin1(caption), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        placeTwips(label, 240, top, 2520, 300);
        placeTwips(widget, 2880, top, 4680, 300);
        top += 360;
    }
    group(QStringLiteral("Power"), {Option1, Option3, Option4}, 240, 1800, this);
    group(QStringLiteral("Category"), {Option6, Option5, Option8, Option7, Option2, Option9}, 2160, 1920, this);
    group(QStringLiteral("Mode"), {Option10, Option11, Option12}, 4200, 1560, this);
    group(QStringLiteral("Assisted"), {Option15, Option14}, 5880, 1680, this);
    placeTwips(Check1, 240, 4560, 5400, 285);
    auto* soapbox = new QLabel(QStringLiteral("Soapbox (Add any comments you would like to make about the contest):"), this);
    placeTwips(soapbox, 240, 4890, 7320, 285);
    placeTwips(Text11, 240, 5190, 7320, 780);
    placeTwips(Command4, 3120, 6060, 2880, 405);
    placeTwips(Command3, 6120, 6060, 1440, 405);

    // Tab goes down the sheet as it is laid out: the texts, the option groups, the check box,
    // the soapbox, then the buttons.
    QWidget* order[] = {Text5, Text6, Text7, Text8, Text2, Text1, Option1, Option3, Option4, Option6, Option5, Option8,
                        Option7, Option2, Option9, Option10, Option11, Option12, Option15, Option14, Check1, Text11,
                        Command4, Command3};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    Text11->setTabChangesFocus(true);
    connect(Text1, &QLineEdit::textEdited, this, &DECabrilloIn::Text1_KeyPress);
    connect(Command3, &QPushButton::clicked, this, &DECabrilloIn::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &DECabrilloIn::Command4_Click);
    Form_Load();
}

void DECabrilloIn::Form_Load() {
    // Centred; fonts grow with the screen width, at most 1.5 times; the check box keeps its font.
    auto choices = station::ui::DialogScaleChoices();
    choices.kinds = {station::ControlKind::CheckBox, station::ControlKind::Image,   station::ControlKind::OptionButton,
                     station::ControlKind::Frame,    station::ControlKind::ListBox, station::ControlKind::CommandButton,
                     station::ControlKind::TextBox,  station::ControlKind::Label,   station::ControlKind::Line};
    choices.fixedFonts = {station::ControlKind::CheckBox};
    station::ui::ScaleFormSelf(*this, session_, choices);
    setFixedSize(size());
    Option3->setChecked(true);
    Option6->setChecked(true);
    Option10->setChecked(true);
    Option15->setChecked(true);
    Check1->setChecked(true);
    const auto stored = logtools::LoadSummaryTexts(session_);
    Text5->setText(platform::qt::toQ(stored.name));
    Text6->setText(platform::qt::toQ(stored.address1));
    Text7->setText(platform::qt::toQ(stored.address2));
    Text8->setText(platform::qt::toQ(stored.email));
    Text2->setText(platform::qt::toQ(stored.club));
}

void DECabrilloIn::Text1_KeyPress() {
    // The call list takes letters as capitals, as they are typed.
    const int caret = Text1->cursorPosition();
    QString out = Text1->text();
    for (auto& ch : out) {
        if (ch >= QLatin1Char('a') && ch <= QLatin1Char('z')) ch = ch.toUpper();
    }
    if (out != Text1->text()) {
        Text1->setText(out);
        Text1->setCursorPosition(caret);
    }
}

void DECabrilloIn::Command3_Click() { hide(); }

logtools::CabrilloOptions DECabrilloIn::options() const {
    using O = logtools::CabrilloOptions;
    O o;
    o.power = Option1->isChecked() ? O::Power::QRP : Option4->isChecked() ? O::Power::High : O::Power::Low;
    o.category = Option5->isChecked()   ? O::Category::MultiOp
                 : Option8->isChecked() ? O::Category::MultiMulti
                 : Option7->isChecked() ? O::Category::School
                 : Option2->isChecked() ? O::Category::Mobile
                 : Option9->isChecked() ? O::Category::SWL
                                        : O::Category::SingleOp;
    o.mode = Option11->isChecked() ? O::Mode::SSB : Option12->isChecked() ? O::Mode::CW : O::Mode::Mixed;
    o.assisted = Option14->isChecked();
    o.useAbbreviations = Check1->isChecked();
    o.name = platform::qt::fromQ(Text5->text());
    o.address1 = platform::qt::fromQ(Text6->text());
    o.address2 = platform::qt::fromQ(Text7->text());
    o.email = platform::qt::fromQ(Text8->text());
    o.club = platform::qt::fromQ(Text2->text());
    o.operators = platform::qt::fromQ(Text1->text());
    o.soapbox = platform::qt::fromQ(Text11->toPlainText());
    return o;
}

void DECabrilloIn::Command4_Click() {
    const auto result = logtools::WriteCabrilloSubmission(session_, options(), logtools::LiveTotalScore(session_));
    if (result == logtools::SubmissionResult::Written || result == logtools::SubmissionResult::StoreFailed) {
        Command3->setFocus();
    }
}
