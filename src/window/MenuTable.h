#pragma once
// The menu bar of the logging windows as one table: every item with its caption, its place in
// the tree, whether it is switched off or checkable, and the tool window it opens and how. The
// windows build their menus from it and route every click through it.

#include <string>
#include <vector>

#include "window/WindowKind.h"

namespace window {

// How a command shows another window.
enum class OpenWay {
    None,             // the command does its own work
    ModalThenUnload,  // waits until it closes, then discards it: every opening starts afresh
    Modal,            // waits until it closes; the window stays loaded
    NotModal,         // shown beside the logging window, which stays usable
};

// The windows of the other parts of the program that the menus and hotkeys open.
enum class ToolWindow {
    None,
    DECabrilloIn,         // submission file
    Form6,                // multiplier colours
    CWFrm,                // CW keyer
    PhoneFrm,             // voice keyer
    RigControlfrm,        // rig setup
    PacketSpotfrm,        // spotting setup
    SpectrumMap,          // spectrum map
    BlindFrm,             // voice navigation
    frmBandPlan,          // privileges chart
    frmCountyChange,      // county change
    CountyMapFL,          // county map
    GraphQSO,             // QSO-rate graph
    frmCountyList,        // county list
    Form5,                // help page
    frmRigTune,           // tuning panel
    frmCountyChangeRover, // rover county list
    frmWinKey,            // WinKey keyer
    Form1,                // the live-window facade (unloaded with the logging window)
};
const char* ToolWindowName(ToolWindow w);

enum class MenuType { Menu, Item, Separator, TopCommand };
enum class Presence { Both, InStateOnly, OutOfStateOnly };

struct MenuEntry {
    const char* name;       // control name, e.g. "mnuNew"
    const char* caption;    // with its access letter; "-" for a separator
    const char* parent;     // "" for the menu bar
    MenuType type;
    bool switchedOff = false;  // in the design, never available
    bool checkable = false;
    ToolWindow window = ToolWindow::None;
    OpenWay way = OpenWay::None;
    Presence presence = Presence::Both;
};

// The windows a closing logging window unloads, in order; the in-state window also unloads
// the rover's county list.
std::vector<ToolWindow> UnloadOrder(WindowKind kind);

// The tree of one window, in menu order, with that window's captions.
std::vector<MenuEntry> MenuTree(WindowKind kind);
// The entry of a name in the window's tree, nullptr when the window has no such item.
const MenuEntry* FindMenuEntry(const std::vector<MenuEntry>& tree, const std::string& name);

}  // namespace window
