#include "logtools/ui/DECabrilloIn.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "logtools/CabrilloSubmission.h"
#include "platform/qt/Text.h"
#include "station/Session.h"

namespace {

QGroupBox* group(const QString& title, std::initializer_list<QRadioButton*> options, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    auto* buttons = new QButtonGroup(box);
    for (auto* o : options) {
        layout->addWidget(o);
        buttons->addButton(o);
    }
    layout->addStretch();
    return box;
}

QRadioButton* option(const char* name, const QString& caption, QWidget* parent) {
    auto* o = new QRadioButton(caption, parent);
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
    Text5 = field("Text5", this);
    Text6 = field("Text6", this);
    Text7 = field("Text7", this);
    Text8 = field("Text8", this);
    Text2 = field("Text2", this);
    Text1 = field("Text1", this);
    Text11 = new QPlainTextEdit(this);
    Text11->setObjectName(QStringLiteral("Text11"));
    Text11->setFixedHeight(60);

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

    auto* texts = new QGridLayout;
    const std::pair<const char*, QWidget*> rows[] = {
        {"Your Name:", Text5}, {"Address Line 1:", Text6}, {"Address Line 2:", Text7},
        {"Email Address:", Text8}, {"Club Name:", Text2}, {"If Multi Op, list all calls:", Text1},
    };
    int r = 0;
    for (const auto& [caption, widget] : rows) {
        texts->addWidget(new QLabel(QString::fromLatin1(caption), this), r, 0);
        texts->addWidget(widget, r++, 1);
    }
    auto* groups = new QHBoxLayout;
    groups->addWidget(group(QStringLiteral("Power"), {Option1, Option3, Option4}, this));
    groups->addWidget(group(QStringLiteral("Category"), {Option6, Option5, Option8, Option7, Option2, Option9}, this));
    groups->addWidget(group(QStringLiteral("Mode"), {Option10, Option11, Option12}, this));
    groups->addWidget(group(QStringLiteral("Assisted"), {Option15, Option14}, this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command4);
    buttons->addWidget(Command3);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(texts);
    layout->addLayout(groups);
    layout->addWidget(Check1);
    layout->addWidget(new QLabel(QStringLiteral("Soapbox (Add any comments you would like to make about the contest):"), this));
    layout->addWidget(Text11);
    layout->addLayout(buttons);

    connect(Text1, &QLineEdit::textEdited, this, &DECabrilloIn::Text1_KeyPress);
    connect(Command3, &QPushButton::clicked, this, &DECabrilloIn::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &DECabrilloIn::Command4_Click);
    Form_Load();
}

void DECabrilloIn::Form_Load() {
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
    adjustSize();
    setFixedSize(sizeHint());
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
