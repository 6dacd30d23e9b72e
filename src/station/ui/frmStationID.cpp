#include "station/ui/frmStationID.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "platform/qt/Text.h"
#include "station/Profile.h"
#include "station/Station.h"
#include "station/StationSetup.h"
#include "station/Tables.h"
#include "station/ui/FormResize.h"
#include "station/ui/WindowKit.h"

using platform::qt::fromQ;
using platform::qt::toQ;
using station::ui::placeTwips;

const char* const frmStationID::kStateCodes[50] = {
    "AK", "AL", "AR", "AZ", "CA", "CO", "CT", "DE", "FL", "GA", "HI", "IA", "ID", "IL", "IN", "KS", "KY",
    "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MS", "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY",
    "OH", "OK", "OR", "PA", "RI", "SC", "SD", "TN", "TX", "UT", "VA", "VT", "WA", "WI", "WV", "WY"};

namespace {
// Field order top to bottom, which is also the tab order; the captions as the operator reads them.
struct FieldDesign {
    int index;
    const char* caption;
};
constexpr FieldDesign kFields[] = {
    {1, "Please Enter your Call Sign:"}, {5, "Your State / Province:"}, {8, "Your County:"},
    {6, "Hours added for UTC:"},         {2, "Your Country:"},          {3, "Your Longitude:"},
    {4, "Your Latitude:"},               {7, "Your Continent:"},        {9, "Your ARRL Section:"},
};
constexpr FieldDesign kHiddenFields[] = {{10, "Your Name:"}, {11, "Your Category:"}, {12, "Your City:"}};

constexpr double kRowTop = 240, kRowStep = 390, kRowHeight = 300;
constexpr double kLabelLeft = 120, kLabelWidth = 2520, kFieldLeft = 2700, kFieldWidth = 1800;
}  // namespace

frmStationID::frmStationID(station::Station& station, QWidget* parent) : QDialog(parent), station_(station) {
    setObjectName("frmStationID");
    setWindowTitle(" Setup Information");
    station::ui::SetDesignFont(this, station::ui::DesignFace::System);
    placeTwips(this, 0, 0, 8520, 5640);

    int row = 0;
    for (const auto& f : kFields) {
        Label[f.index] = new QLabel(f.caption, this);
        Label[f.index]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        placeTwips(Label[f.index], kLabelLeft, kRowTop + row * kRowStep, kLabelWidth, kRowHeight);
        Text[f.index] = new QLineEdit(this);
        Text[f.index]->setObjectName(QString("Text%1").arg(f.index));
        placeTwips(Text[f.index], kFieldLeft, kRowTop + row * kRowStep, kFieldWidth, kRowHeight);
        ++row;
    }
    // Kept for the profile's sake; never shown.
    lblMdParty = new QLabel("(for MD party)", this);
    lblMdParty->hide();
    for (const auto& f : kHiddenFields) {
        Label[f.index] = new QLabel(f.caption, this);
        Label[f.index]->hide();
        Text[f.index] = new QLineEdit(this);
        Text[f.index]->setObjectName(QString("Text%1").arg(f.index));
        Text[f.index]->hide();
    }
    Text[6]->setMaxLength(7);

    const double framesTop = kRowTop + 9 * kRowStep + 60;
    Frame2 = new QGroupBox("Are you in Florida?", this);
    placeTwips(Frame2, 180, framesTop, 1920, 900);
    Option1 = new QRadioButton("Yes", Frame2);
    placeTwips(Option1, 240, 300, 720, 300);
    Option2 = new QRadioButton("No", Frame2);
    placeTwips(Option2, 1080, 300, 720, 300);

    Frame3 = new QGroupBox("Are you operating as a Rover?", this);
    placeTwips(Frame3, 2220, framesTop, 2760, 900);
    Option4 = new QRadioButton("Yes", Frame3);
    placeTwips(Option4, 240, 300, 720, 300);
    Option3 = new QRadioButton("No", Frame3);
    placeTwips(Option3, 1080, 300, 720, 300);

    Command1 = new QPushButton("Done", this);
    placeTwips(Command1, 1920, framesTop + 1080, 1440, 420);

    Frame1 = new QGroupBox("Please select the state QSO party:", this);
    placeTwips(Frame1, 5100, 120, 3300, 4200);
    for (int i = 0; i < 50; ++i) {
        optState[i] = new QRadioButton(kStateCodes[i], Frame1);
        placeTwips(optState[i], 180 + (i / 15) * 760, 300 + (i % 15) * 255, 640, 255);
        // Only the parties this logger also knows are offered; Florida is what it logs.
        optState[i]->setEnabled(i == 7 || i == 47);
        connect(optState[i], &QRadioButton::clicked, this, [this, i] { optState_Click(i); });
    }
    Label14 = new QLabel("Only the enabled states are supported.", this);
    Label14->setWordWrap(true);
    placeTwips(Label14, 5100, 4380, 3300, 480);

    connect(Option1, &QRadioButton::clicked, this, &frmStationID::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &frmStationID::Option2_Click);
    connect(Command1, &QPushButton::clicked, this, &frmStationID::Command1_Click);

    // Tab order: the fields top to bottom, then the frames and Done.
    QWidget* previous = nullptr;
    for (const auto& f : kFields) {
        if (previous) setTabOrder(previous, Text[f.index]);
        previous = Text[f.index];
    }
    setTabOrder(previous, Option1);
    setTabOrder(Option1, Option2);
    setTabOrder(Option2, Option4);
    setTabOrder(Option4, Option3);
    setTabOrder(Option3, Command1);
    for (int i = 1; i <= 12; ++i) Text[i]->installEventFilter(this);
}

int frmStationID::fieldIndex(QObject* watched) const {
    for (int i = 1; i <= 12; ++i) {
        if (Text[i] == watched) return i;
    }
    return 0;
}

bool frmStationID::eventFilter(QObject* watched, QEvent* event) {
    const int index = fieldIndex(watched);
    if (index == 0) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut && index == 6) {
        Text6_LostFocus();
        return false;
    }
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    int16_t code = 0;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) code = 13;
    else if (key->key() == Qt::Key_Backspace) code = 8;
    else if (key->text().size() == 1 && key->text()[0].isPrint()) {
        const std::string byte = fromQ(key->text());
        code = static_cast<int16_t>(static_cast<unsigned char>(byte[0]));
    } else {
        return QDialog::eventFilter(watched, event);  // arrows, Delete, shortcuts
    }
    const int16_t typed = code;
    TextKeyPress(index, code);
    if (code == 0) return true;
    if (code == typed && (code == 8 || code == 13)) return code == 13;  // Enter in the country field does nothing
    if (code == typed) return false;
    Text[index]->insert(toQ(std::string(1, static_cast<char>(code))));
    return true;
}

void frmStationID::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

void frmStationID::TextKeyPress(int index, int16_t& k) {
    if (index == 2) return Text2_KeyPress(k);
    if (index == 8) return Text8_KeyPress(k);
    if (k == 13) {
        k = 0;
        Command1_Click();
    }
    if (index == 3 || index == 4 || index == 6) station::NumBerr(k);
    else station::Cap3(k);
}

void frmStationID::Text2_KeyPress(int16_t& k) {
    QLineEdit* field = Text[2];
    const int caret = field->hasSelectedText() ? field->selectionStart() : field->cursorPosition();
    if (caret == 0) station::Cap3(k);
    if (k < 32) return;  // Enter, Backspace: no country continues with them
    const std::string typed = fromQ(field->text().left(caret)) + static_cast<char>(k);
    const int row = station::CountryTypeAhead(station_.prefixes, typed);
    if (row < 0) return;
    const auto& r = station_.prefixes.rows[static_cast<size_t>(row)];
    // The completed name is spelled as the table spells it ("us" gives "USA", not "usA"): the
    // stored country goes to other programs through the shared preferences.
    field->setText(toQ(r.Country));
    field->setSelection(static_cast<int>(typed.size()), static_cast<int>(r.Country.size() - typed.size()));
    Text[3]->setText(toQ(station::SetupNumberText(r.Longitude)));
    Text[4]->setText(toQ(station::SetupNumberText(r.Latitude)));
    Text[7]->setText(toQ(r.Continent));
    k = 0;
}

void frmStationID::Text8_KeyPress(int16_t& k) {
    // A key typed over a selection lands where the selection starts.
    QLineEdit* field = Text[8];
    station::CountyKey(k, fromQ(field->text()), field->hasSelectedText() ? field->selectionStart() : field->cursorPosition());
    if (k == 13) {
        k = 0;
        Command1_Click();
    }
}

void frmStationID::Text6_LostFocus() {
    const std::string text = fromQ(Text[6]->text());
    if (text.empty() || station::IsSetupNumber(text)) return;
    station_.platform.dialogs.beep();
    QTimer::singleShot(0, Text[6], [field = Text[6]] { field->setFocus(); });
}

void frmStationID::Option1_Click() {
    Frame3->setEnabled(true);
    Option3->setEnabled(true);
    Option4->setEnabled(true);
}

void frmStationID::Option2_Click() {
    // A station outside Florida cannot be a rover.
    Option3->setChecked(true);
    Frame3->setEnabled(false);
    Option3->setEnabled(false);
    Option4->setEnabled(false);
}

void frmStationID::optState_Click(int index) {
    for (int i = 0; i < 50; ++i) {
        QFont f = optState[i]->font();
        f.setBold(i == index);
        optState[i]->setFont(f);
    }
}

void frmStationID::Form_Load() {
    station::ui::ResizeForm(*this, station_);
    auto& p = station_.profile;
    // A first run has no profile yet, as it has no log: that is no error. A profile that is
    // there but cannot be read is reported.
    const bool firstRun = !station::PreferencesFileExists(station_);
    const bool profileRead = station::ReadPreferences(station_);
    if (!profileRead && !firstRun) station::ReportSetupLoadFailure(station_, "QSOpref.txt");
    station::CheckUtcOffset(station_);
    try {
        station::LoadPrefixTable(station_);
    } catch (const station::FileError&) {
        station::ReportSetupLoadFailure(station_, "arrlpre2.txt");
    }
    try {
        station::LoadStateCoordTable(station_);
    } catch (const station::FileError&) {
        station::ReportSetupLoadFailure(station_, "states.txt");
    }
    // The options show what the stored profile says; without one the operator chooses.
    if (profileRead) {
        for (int i = 0; i < 50; ++i) {
            const bool home = QString(kStateCodes[i]).compare(toQ(p.HomeState), Qt::CaseInsensitive) == 0;
            optState[i]->setChecked(home);
            QFont f = optState[i]->font();
            f.setBold(home);
            optState[i]->setFont(f);
        }
        if (p.OutOfState == 0) {
            Option1->setChecked(true);
            Option1_Click();
        } else {
            Option2->setChecked(true);
            Frame3->setEnabled(false);
            Option3->setEnabled(false);
            Option4->setEnabled(false);
        }
        if (p.RoverFlag == 1) Option4->setChecked(true);
        else Option3->setChecked(true);
    }
    if (station_.loadKeyerSettings) station_.loadKeyerSettings();
    // Always from the profile in memory, so Done can never store empty fields over it.
    Text[1]->setText(toQ(p.StationCall));
    Text[5]->setText(toQ(p.StationState));
    Text[6]->setText(toQ(station::SetupNumberText(p.HoursOffset)));
    Text[2]->setText(toQ(p.StationCountry));
    Text[3]->setText(toQ(station::SetupNumberText(p.StationLongitude)));
    Text[4]->setText(toQ(station::SetupNumberText(p.StationLatitude)));
    Text[7]->setText(toQ(p.StationContinent));
    Text[8]->setText(toQ(p.CurrentCounty));
    Text[9]->setText(toQ(p.ArrlSection));
    Text[10]->setText(toQ(p.OperatorName));
    Text[11]->setText(toQ(p.StationCategory));
    Text[12]->setText(toQ(p.StationCity));
}

void frmStationID::Command1_Click() {
    station::SetupFields fields;
    for (int i = 1; i <= 12; ++i) fields.Text[i] = fromQ(Text[i]->text());
    fields.inFlorida = Option1->isChecked();
    fields.rover = Option4->isChecked();
    const auto result = station::ApplySetupDone(station_, fields);
    if (result == station::SetupDoneResult::NoCall) {
        station_.platform.dialogs.beep();
        station_.platform.dialogs.messageBox("Please enter your call sign.", platform::MsgButtons::OK,
                                             platform::MsgIcon::Exclamation, "Call Sign Required");
        Text[1]->setFocus();
        Text[1]->selectAll();
        return;
    }
    if (result == station::SetupDoneResult::BadUtcOffset) {
        station_.platform.dialogs.beep();
        station_.platform.dialogs.messageBox(
            "Please enter the hours added to local time for UTC as a number from -24 to 24, for example 4 or -5.5.",
            platform::MsgButtons::OK, platform::MsgIcon::Exclamation, "Hours added for UTC");
        Text[6]->setFocus();
        Text[6]->selectAll();
        return;
    }
    for (int i : {3, 4, 6}) Text[i]->setText(toQ(fields.Text[i]));
    if (result == station::SetupDoneResult::XmlNotSaved) {
        station_.platform.dialogs.messageBox(
            "The shared preferences could not be saved to\r\n" + platform::PathText(station_.xmlPrefs.XmlPrefsPath),
            platform::MsgButtons::OK, platform::MsgIcon::Exclamation, "Unable to write file.");
    }
    // Setup is out of sight before the logging window's load asks its first question.
    hide();
    if (station_.openLoggingWindow) station_.openLoggingWindow();
    close();
}
