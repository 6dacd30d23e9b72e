#include "station/ui/frmSplash.h"

#include <QLabel>
#include <QPushButton>

#include "platform/qt/Text.h"
#include "station/Station.h"
#include "station/StationSetup.h"
#include "station/ui/FormResize.h"
#include "station/ui/WindowKit.h"
#include "station/ui/frmStationID.h"
#include "station/ui/frmTervakLogo.h"

using station::ui::Label;
using station::ui::Twips;

frmSplash::frmSplash(station::Station& station, QWidget* parent) : QWidget(parent), station_(station) {
    setObjectName("frmSplash");
    setWindowTitle("Palmetar");
    station::ui::place(this, Twips(0, 0, 6000, 3600));
    lblTitle1 = Label(this, QStringLiteral("Tervak Software"), Twips(240, 240, 5500, 480));
    lblTitle2 = Label(this, QStringLiteral("Palmetar Florida QSO Party Logger"), Twips(240, 840, 5500, 480));
    lblVersion = Label(this, QStringLiteral("Version"), Twips(240, 1560, 900, 300));
    lblVersion1 = Label(this, QStringLiteral("2.4"), Twips(1200, 1560, 900, 300));
    Command1 = station::ui::Control<QPushButton>(this, {}, Twips(2280, 2760, 1440, 420));
    Command1->setText(QStringLiteral("Continue"));
    connect(Command1, &QPushButton::clicked, this, &frmSplash::Command1_Click);
    showLogo = [](frmTervakLogo& logo) { logo.exec(); };
}

void frmSplash::Form_Load() {
    // The program folder is the current folder, recorded when the run began.
    {
        frmTervakLogo logo(station_);
        logo.Form_Load();
        showLogo(logo);
    }
    station::ui::ResizeForm(*this, station_);
    station::PrepareUserFolders(station_);
    Command1_Click();
}

void frmSplash::Command1_Click() {
    station_.ProgramVersion = platform::qt::fromQ(lblVersion1->text());
    hide();
    setupWindow = new frmStationID(station_);
    setupWindow->setAttribute(Qt::WA_DeleteOnClose);
    setupWindow->Form_Load();
    setupWindow->show();
}
