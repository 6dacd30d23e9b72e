// The entry line of the logging window and what follows from the log: checking and logging a
// contact, the recent-contacts list, the score, the multiplier lists, the clock and the rates.
// The window shell calls these; the contest rules behind them live in src/logging/.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "logging/ContactList.h"
#include "logging/Rates.h"
#include "logtools/ContactEdit.h"
#include "logtools/ui/EditContact.h"
#include "logging/Scoring.h"
#include "platform/qt/Text.h"
#include "station/Session.h"
#include "window/ui/ControlStyle.h"
#include "window/ui/LoggingWindow.h"

namespace window::ui {

using platform::qt::toQ;

namespace {
logging::WindowKind rulesKind(const WindowProfile& p) {
    return p.kind == WindowKind::InState ? logging::WindowKind::InState : logging::WindowKind::OutOfState;
}
}  // namespace

void LoggingWindow::Mains() {}

void LoggingWindow::RefreshFromLog() {
    if (!logging::RefreshFromLog(session_, rulesKind(profile_), true)) return;
    const auto texts = logging::ShowScore(session_.contest.score, rulesKind(profile_));
    lblTotCon->setText(toQ(texts.PhContacts));
    lblSectogo->setText(toQ(texts.CwContacts));
    lblTotSec->setText(toQ(texts.Multipliers));
    lblTotScore->setText(toQ(texts.Score));
    FillListView1();
    ShowQsoRate();
}

// Newest first; the last 20 unless the list shows all contacts.
void LoggingWindow::FillListView1() {
    ListView1->clear();
    const bool rover = inState() && session_.profile.RoverFlag == 1;
    for (const auto& row : logging::FillContactList(session_.log, rulesKind(profile_), rover,
                                                    session_.contest.ListAllContacts)) {
        QStringList cells;
        for (const auto& cell : row.cells) cells << toQ(cell);
        ListView1->addTopLevelItem(new QTreeWidgetItem(cells));
    }
}

void LoggingWindow::ClearEntries() {
    for (auto* field : {txtCall, txtRSTR, txtCntry, txtSec, txtRSTS}) field->clear();
    lblDupe->setText(QString());
    SetStatusText("");
    SetStatusLook(StatusLook::Teal);
    Label19->setText(QString());
    Label22->setText(QString());
    Label23->setText(QString());
    txtCall->setFocus();
}

void LoggingWindow::ShowOperatingTime() {
    session_.RunningSeconds = session_.profile.OperatingSeconds;
    lblttrack->setText(toQ(logging::OperatingTimeText(session_.RunningSeconds)));
}

void LoggingWindow::ShowQsoRate() {
    const auto rates =
        logging::ShowQsoRate(session_.log, session_.platform.clock.localNow(), session_.profile.HoursOffset);
    if (!rates) return;
    lblAQSO60->setText(QString::number(rates->last60));
    lblAQSO20->setText(QString::number(rates->last20x3));
}

void LoggingWindow::txtCall_Change() {}
void LoggingWindow::txtCntry_Change() {}
void LoggingWindow::cmdLogOn_Click() {}
void LoggingWindow::cmdEdit_Click() {
    QTreeWidgetItem* row = ListView1->currentItem();
    if (!row) return;
    // The window's edit dialog, then log.txt rewritten and everything reloaded and redrawn.
    logtools::ui::EditContact(session_, row->text(0).toInt(), this, [this] { cmdDelete_Click(); }, [this] {
        cmdEdit->hide();
        cmdDelete->hide();
        RefreshFromLog();
    });
}

void LoggingWindow::cmdDelete_Click() {
    QTreeWidgetItem* row = ListView1->currentItem();
    cmdEdit->hide();
    cmdDelete->hide();
    if (row && logtools::ConfirmAndDelete(session_, row->text(0).toInt())) RefreshFromLog();
}
void LoggingWindow::cmdList_Click() {}
void LoggingWindow::cmdDup_Click() {}
void LoggingWindow::Command1_Click() {}
void LoggingWindow::mnuPostContest_Click() {}
void LoggingWindow::Timer1_Timer() { ShowQsoRate(); }

void LoggingWindow::Timer2_Timer() {
    const auto texts = logging::ClockTick(session_.platform.clock.localNow(), session_.profile.HoursOffset);
    lblCurTime->setText(toQ(texts.localTime));
    Label16->setText(toQ(texts.amPm));
    lblutctime->setText(toQ(texts.utcTime));
}

}  // namespace window::ui
