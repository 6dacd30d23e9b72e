#include "logtools/ui/frmCountyChangeRover.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "logtools/RoverCountyLine.h"
#include "logtools/TypeAhead.h"
#include "logtools/ui/Marker.h"
#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/ui/FormResize.h"
#include "station/ui/KeyField.h"
#include "station/ui/WindowKit.h"

using station::ui::KeyField;
using station::ui::placeTwips;

frmCountyChangeRover::frmCountyChangeRover(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setWindowTitle(QStringLiteral("County Change for Rovers"));
    station::ui::FixedDialogWithCloseBox(*this);
    station::ui::SetDesignFont(this, station::ui::DesignFace::System);
    // Laid out in twips on the reference screen; scaled when the dialog loads.
    placeTwips(this, 0, 0, 5160, 4560);
    Label1 = new QLabel(QStringLiteral("Please enter your current counties.  Click on listed counties to remove."), this);
    Label1->setWordWrap(true);
    placeTwips(Label1, 240, 120, 4680, 480);
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    placeTwips(List1, 240, 660, 2760, 2280);
    Label3 = new QLabel(QStringLiteral("Type the county and the press enter to add to the list."), this);
    Label3->setWordWrap(true);
    placeTwips(Label3, 240, 3060, 4680, 285);
    Text1 = new KeyField(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    placeTwips(Text1, 240, 3420, 2760, 315);
    Label2 = logtools::ui::Marker(this, logtools::ui::kInvalid);
    placeTwips(Label2, 3120, 3420, 1200, 315);
    Command1 = new QPushButton(QStringLiteral("&Done"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    placeTwips(Command1, 3120, 3900, 1200, 375);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, List1);

    std::vector<std::string> names;
    for (const auto& row : session_.counties.rows) names.push_back(row.Name);
    Text1->KeyPress = [this, names](station::FieldState& s, int16_t& key) {
        if (key == 13) {
            key = 0;
            if (ValidateRoverCounty()) {
                AddCountyToList();
                s = Text1->state();
            }
            return;
        }
        logtools::CountyTypeAhead(s, key, names, logtools::CaretStartRule::AnyKey);
    };
    Text1->GotFocus = [this] {
        if (Text1->cursorPosition() == 0 || Text1->hasSelectedText()) Text1->selectAll();
    };
    // A chosen entry, by mouse or keys, goes at once. The focus entering the list alone makes a
    // row current without choosing it, so that must not count.
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(List1, &QListWidget::itemSelectionChanged, this, [this] {
        const auto chosen = List1->selectedItems();
        if (!chosen.isEmpty()) List1_Click(List1->row(chosen.front()));
    });
    connect(Command1, &QPushButton::clicked, this, &frmCountyChangeRover::Command1_Click);
    // Scaled once: a reload after the close box keeps the size the first load gave.
    station::ui::ScaleDialogToScreen(*this, session_);
    setFixedSize(size());
    Form_Load();
}

void frmCountyChangeRover::Form_Load() {
    Text1->setText(platform::qt::toQ(session_.profile.CurrentCounty));
    Label2->hide();
    showList();
    Text1->setFocus();
}

void frmCountyChangeRover::showEvent(QShowEvent* e) {
    done_ = false;
    if (reload_) {
        reload_ = false;
        Form_Load();
    }
    showList();
    QDialog::showEvent(e);
}

void frmCountyChangeRover::showList() {
    const QSignalBlocker block(List1);
    List1->clear();
    for (const auto& county : session_.contest.RoverCounties) List1->addItem(platform::qt::toQ(county));
}

bool frmCountyChangeRover::ValidateRoverCounty() {
    Label2->hide();
    const std::string text = platform::qt::fromQ(Text1->text());
    auto probe = session_.contest.RoverCounties;
    const auto result = logtools::AddRoverCounty(probe, text, session_.counties);
    session_.contest.BadEntry = result == logtools::RoverAdd::NotACounty;
    // A county already on the line would log every contact twice for it.
    if (result != logtools::RoverAdd::Added) {
        session_.platform.dialogs.beep();
        Label2->show();
        Text1->setFocus();
        return false;
    }
    return true;
}

void frmCountyChangeRover::AddCountyToList() {
    logtools::AddRoverCounty(session_.contest.RoverCounties, platform::qt::fromQ(Text1->text()), session_.counties);
    Text1->clear();
    showList();
}

void frmCountyChangeRover::List1_Click(int row) {
    logtools::RemoveRoverCounty(session_.contest.RoverCounties, row);
    showList();
    Command1->setFocus();
}

void frmCountyChangeRover::Command1_Click() {
    done_ = true;
    hide();
}

void frmCountyChangeRover::keyPressEvent(QKeyEvent* e) {
    // The dialog has no cancel: Esc would otherwise close it and throw the county line away.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void frmCountyChangeRover::reject() {
    // Closing by the close box discards the dialog and its list; the next opening starts empty.
    session_.contest.RoverCounties.clear();
    reload_ = true;
    done_ = false;
    QDialog::reject();
}
