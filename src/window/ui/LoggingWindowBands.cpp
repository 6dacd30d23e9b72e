// Band and mode switching of the logging window: the menus, the band and mode labels, and the
// rig readings handed over through Form1.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

#include "logging/BandSwitch.h"
#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/Profile.h"
#include "window/BandLabels.h"
#include "window/ui/LoggingWindow.h"

namespace window::ui {

using logging::BandSwitchFor;
using logging::ModeSwitchFor;
using logging::ReportLength;
using platform::qt::toQ;

void LoggingWindow::checkBandItem(const std::string& band) {
    for (const auto& b : MenuBands()) menuItem("mnuBand" + b + "Ch")->setChecked(b == band);
}

void LoggingWindow::checkModeItem(const std::string& mode) {
    menuItem("mnu160")->setChecked(mode == "CW");
    menuItem("mnuSSB")->setChecked(mode == "PH");
    menuItem("mnuDigital")->setChecked(mode == "DG");
}

// Every band change, the current band chosen again included, is saved and recounted.
void LoggingWindow::bandHandler(const std::string& band) {
    session_.profile.CurrentBand = band;
    AfterBandChange();
    checkBandItem(band);
    Label24->setText(toQ(band));
    station::SavePreferences(session_);
    // Memory holds what log.txt holds (every append is checked): recount it, no reload.
    RefreshFromLog(false);
}

void LoggingWindow::AfterBandChange() {
    for (const auto& b : MenuBands()) menuItem("mnuBand" + b + "Ch")->setChecked(false);
    if (!txtDX->isHidden() || bandMapShown()) {
        SetBandMapScale();
        if (bandMapShown()) DisplayBandMapLabels();
    }
    if (profile_.recomputesEntryOnSwitch && !txtCall->text().isEmpty()) txtCntry_Change();
}

void LoggingWindow::modeHandler(const std::string& mode) {
    session_.profile.CurrentMode = mode;
    Label30->setText(toQ(mode));
    station::SavePreferences(session_);
    RefreshFromLog(false);
    checkModeItem(mode);
    const int length = ReportLength(mode);
    txtRSTR->setMaxLength(length);
    txtRSTS->setMaxLength(length);
    if (profile_.recomputesEntryOnSwitch && mode != "DG" && !txtCall->text().isEmpty()) txtCntry_Change();
}

void LoggingWindow::mnuBand160Ch_Click() { bandHandler("160"); }
void LoggingWindow::mnuBand80Ch_Click() { bandHandler("80"); }
void LoggingWindow::mnuBand40Ch_Click() { bandHandler("40"); }
void LoggingWindow::mnuBand20Ch_Click() { bandHandler("20"); }
void LoggingWindow::mnuBand15Ch_Click() { bandHandler("15"); }
void LoggingWindow::mnuBand10Ch_Click() { bandHandler("10"); }
void LoggingWindow::mnuBand6Ch_Click() { bandHandler("6"); }
void LoggingWindow::mnu160_Click() { modeHandler("CW"); }
void LoggingWindow::mnuSSB_Click() { modeHandler("PH"); }
void LoggingWindow::mnuDigital_Click() { modeHandler("DG"); }

void LoggingWindow::Label24_Click() { bandHandler(NextBandOnLabelClick(session_.profile.CurrentBand)); }

void LoggingWindow::Label30_Click() {
    if (NextModeOnLabelClick(session_.profile.CurrentMode) == "PH") mnuSSB_Click();
    else mnu160_Click();
}

void LoggingWindow::BandFreqConversion(double frequencyValue) {
    // A rig reading never raises into the poll cycle.
    try {
        const std::string band = BandSwitchFor(frequencyValue, session_.profile.CurrentBand);
        if (!band.empty()) bandHandler(band);
    } catch (...) {
    }
    logging::KeepRigReading(session_.contest, frequencyValue);
}

void LoggingWindow::ModeSelection(const std::string& strMode) {
    try {
        const std::string mode = ModeSwitchFor(strMode, session_.profile.CurrentMode);
        if (mode == "PH") mnuSSB_Click();
        else if (mode == "CW") mnu160_Click();
    } catch (...) {
    }
}

}  // namespace window::ui
