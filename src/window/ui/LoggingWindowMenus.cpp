// The menu bar of the logging window, built from the menu table, and the commands that are
// not band, mode, layout or entry-line commands.

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/AdifExport.h"
#include "station/Profile.h"
#include "window/ui/LoggingWindow.h"
#include "window/ui/ToolWindows.h"

namespace window::ui {

using platform::qt::toQ;

namespace {
using Handler = void (LoggingWindow::*)();

const std::map<std::string, Handler>& handlers() {
    static const std::map<std::string, Handler> table = {
        {"mnuNew", &LoggingWindow::mnuNew_Click},
        {"mnuArchive", &LoggingWindow::mnuArchive_Click},
        {"mnuRestore", &LoggingWindow::mnuRestore_Click},
        {"mnuCopyListtoClipboard", &LoggingWindow::mnuCopyListtoClipboard_Click},
        {"mnuExit", &LoggingWindow::mnuExit_Click},
        {"mnuFormSize", &LoggingWindow::mnuFormSize_Click},
        {"mnuTaskbar", &LoggingWindow::mnuTaskbar_Click},
        {"mnuColors", &LoggingWindow::mnuColors_Click},
        {"mnuDXSpotting", &LoggingWindow::mnuDXSpotting_Click},
        {"mnuPrivileges", &LoggingWindow::mnuPrivileges_Click},
        {"mnuListPrevious", &LoggingWindow::mnuListPrevious_Click},
        {"mnuPostContest", &LoggingWindow::mnuPostContest_Click},
        {"mnuexportADIF", &LoggingWindow::mnuexportADIF_Click},
        {"mnuPendrakeImport", &LoggingWindow::mnuPendrakeImport_Click},
        {"mnuBand160Ch", &LoggingWindow::mnuBand160Ch_Click},
        {"mnuBand80Ch", &LoggingWindow::mnuBand80Ch_Click},
        {"mnuBand40Ch", &LoggingWindow::mnuBand40Ch_Click},
        {"mnuBand20Ch", &LoggingWindow::mnuBand20Ch_Click},
        {"mnuBand15Ch", &LoggingWindow::mnuBand15Ch_Click},
        {"mnuBand10Ch", &LoggingWindow::mnuBand10Ch_Click},
        {"mnuBand6Ch", &LoggingWindow::mnuBand6Ch_Click},
        {"mnu160", &LoggingWindow::mnu160_Click},
        {"mnuSSB", &LoggingWindow::mnuSSB_Click},
        {"mnuDigital", &LoggingWindow::mnuDigital_Click},
        {"mnuClear", &LoggingWindow::mnuClear_Click},
        {"mnuChangeCounty", &LoggingWindow::mnuChangeCounty_Click},
        {"mnuRecall", &LoggingWindow::mnuRecall_Click},
    };
    return table;
}
}  // namespace

QAction* LoggingWindow::menuItem(const std::string& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

void LoggingWindow::buildMenus() {
    menuTree_ = MenuTree(profile_.kind);
    std::map<std::string, QMenu*> menus;
    QMenuBar* bar = menuBar();
    for (const auto& e : menuTree_) {
        QMenu* parentMenu = e.parent[0] ? menus.at(e.parent) : nullptr;
        QAction* action = nullptr;
        switch (e.type) {
        case MenuType::Menu: {
            QMenu* menu = parentMenu ? parentMenu->addMenu(toQ(e.caption)) : bar->addMenu(toQ(e.caption));
            menu->setObjectName(toQ(e.name));
            menus[e.name] = menu;
            action = menu->menuAction();
            break;
        }
        case MenuType::Separator:
            action = parentMenu->addSeparator();
            break;
        case MenuType::Item:
            action = parentMenu->addAction(toQ(e.caption));
            break;
        case MenuType::TopCommand:
            action = bar->addAction(toQ(e.caption));
            break;
        }
        action->setObjectName(toQ(e.name));
        if (e.checkable) action->setCheckable(true);
        if (e.switchedOff) action->setEnabled(false);
        actions_[e.name] = action;
        if (e.type == MenuType::Item || e.type == MenuType::TopCommand) {
            const std::string name = e.name;
            connect(action, &QAction::triggered, this, [this, name] {
                if (const auto* entry = FindMenuEntry(menuTree_, name)) runMenuCommand(*entry);
            });
        }
    }
}

void LoggingWindow::runMenuCommand(const MenuEntry& entry) {
    if (entry.switchedOff) return;
    auto it = handlers().find(entry.name);
    if (it != handlers().end()) {
        (this->*(it->second))();
        return;
    }
    if (entry.window != ToolWindow::None) ToolWindows::instance().open(entry.window, entry.way, session_, this);
}

void LoggingWindow::mnuClear_Click() { ClearEntries(); }

void LoggingWindow::mnuRecall_Click() {
    const auto& log = session_.log;
    if (log.ContactCount() < 1) return;
    txtCall->setText(toQ(log.at(log.ContactCount()).Call));
    txtSec->setFocus();
    // The county of the recalled call is typed over what the field holds.
    txtSec->selectAll();
}

void LoggingWindow::mnuListPrevious_Click() {
    auto& p = session_.profile;
    QAction* item = menuItem("mnuListPrevious");
    // The action toggled its own mark before this runs; the stored option follows the mark.
    p.ListPrevious = item->isChecked() ? 1 : 0;
    station::SavePreferences(session_);
}

void LoggingWindow::mnuChangeCounty_Click() {
    // Only the in-state window has the item, and only a rover's is enabled.
    const QAction* item = menuItem("mnuChangeCounty");
    if (!item || !item->isEnabled()) return;
    ToolWindows::instance().open(ToolWindow::frmCountyChange, OpenWay::ModalThenUnload, session_, this);
    station::SavePreferences(session_);
    setLabel25(session_.profile.CurrentCounty);
}

void LoggingWindow::mnuColors_Click() {
    if (!profile_.colorsAvailable) return;
    ToolWindows::instance().open(ToolWindow::Form6, OpenWay::ModalThenUnload, session_, this);
    station::SavePreferences(session_);
    RefreshFromLog();
}

void LoggingWindow::mnuDXSpotting_Click() {
    station::SavePreferences(session_);
    ToolWindows::instance().open(ToolWindow::PacketSpotfrm, OpenWay::NotModal, session_, this);
}

void LoggingWindow::mnuPrivileges_Click() {
    ToolWindows::instance().open(ToolWindow::frmBandPlan, OpenWay::ModalThenUnload, session_, this);
}

void LoggingWindow::mnuexportADIF_Click() { station::ExportAdif(session_); }

// The item stands switched off in the menu, so only a direct call reaches this.
void LoggingWindow::mnuPendrakeImport_Click() { station::ExportLogExp(session_); }

}  // namespace window::ui
