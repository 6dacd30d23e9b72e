#include "logtools/ui/frmCountyChange.h"

#include <QLabel>
#include <QPushButton>

#include "logtools/RoverCountyLine.h"
#include "logtools/TypeAhead.h"
#include "logtools/ui/Marker.h"
#include "logtools/ui/frmCountyChangeRover.h"
#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/Profile.h"
#include "station/ui/FormResize.h"
#include "station/ui/KeyField.h"
#include "station/ui/WindowKit.h"

using station::ui::KeyField;
using station::ui::placeTwips;

frmCountyChange::frmCountyChange(Session& session, std::function<frmCountyChangeRover*()> rover, QWidget* parent)
    : QDialog(parent), session_(session), rover_(std::move(rover)) {
    setWindowTitle(QStringLiteral("County Change"));
    station::ui::FixedDialogWithCloseBox(*this);
    station::ui::SetDesignFont(this, station::ui::DesignFace::System);
    // Laid out in twips on the reference screen; scaled when the dialog loads.
    placeTwips(this, 0, 0, 5160, 2280);
    Label1 = new QLabel(QStringLiteral("Please enter your current county:"), this);
    placeTwips(Label1, 240, 180, 3600, 285);
    Text1 = new KeyField(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    placeTwips(Text1, 240, 540, 2760, 315);
    Label2 = logtools::ui::Marker(this, logtools::ui::kInvalid);
    placeTwips(Label2, 3120, 540, 1200, 315);
    Command1 = new QPushButton(QStringLiteral("Done"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    placeTwips(Command1, 3120, 1020, 1200, 375);
    cmdMultipleCounties = new QPushButton(QStringLiteral("&Rovers on County Lines Click to Add Multiple Counties"), this);
    cmdMultipleCounties->setObjectName(QStringLiteral("cmdMultipleCounties"));
    placeTwips(cmdMultipleCounties, 240, 1620, 4680, 420);
    setTabOrder(Text1, Command1);

    std::vector<std::string> names;
    for (const auto& row : session_.counties.rows) names.push_back(row.Name);
    Text1->KeyPress = [this, names](station::FieldState& s, int16_t& key) {
        if (key == 13) {
            key = 0;
            Command1_Click();
            return;
        }
        logtools::CountyTypeAhead(s, key, names, logtools::CaretStartRule::AnyKey);
    };
    Text1->GotFocus = [this] {
        if (Text1->cursorPosition() == 0 || Text1->hasSelectedText()) Text1->selectAll();
    };
    Text1->LostFocus = [this] { Text1_LostFocus(); };
    connect(Command1, &QPushButton::clicked, this, &frmCountyChange::Command1_Click);
    connect(cmdMultipleCounties, &QPushButton::clicked, this, &frmCountyChange::cmdMultipleCounties_Click);
    Form_Load();
}

void frmCountyChange::Form_Load() {
    station::ui::ScaleDialogToScreen(*this, session_);
    setFixedSize(size());
    Text1->setText(platform::qt::toQ(session_.profile.CurrentCounty));
    Text1->setFocus();
    Text1->selectAll();
}

bool frmCountyChange::Text1_LostFocus() {
    Label2->hide();
    const bool ok = !logtools::CountyTableSpelling(platform::qt::fromQ(Text1->text()), session_.counties).empty();
    session_.contest.BadEntry = !ok;
    if (!ok) {
        session_.platform.dialogs.beep();
        Label2->show();
        Text1->setFocus();
    }
    return ok;
}

void frmCountyChange::Command1_Click() {
    // Only a county of the table becomes the county sent with every contact, in its spelling.
    const std::string county = logtools::CountyTableSpelling(platform::qt::fromQ(Text1->text()), session_.counties);
    if (county.empty()) {
        session_.contest.BadEntry = true;
        session_.platform.dialogs.beep();
        Label2->show();
        Text1->setFocus();
        return;
    }
    session_.contest.BadEntry = false;
    Label2->hide();
    session_.profile.CurrentCounty = county;
    logtools::CurrentCountyChosen(session_.contest.RoverCounties, county);
    station::SavePreferences(session_);
    hide();
}

void frmCountyChange::cmdMultipleCounties_Click() {
    frmCountyChangeRover* rover = rover_ ? rover_() : nullptr;
    if (rover && rover->doneClicked() && !session_.contest.RoverCounties.empty()) {
        Text1->setText(platform::qt::toQ(session_.contest.RoverCounties.front()));
    }
    Command1_Click();
}
