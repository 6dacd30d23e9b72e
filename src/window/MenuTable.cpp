#include "window/MenuTable.h"

namespace window {

const char* ToolWindowName(ToolWindow w) {
    switch (w) {
    case ToolWindow::None: return "";
    case ToolWindow::DECabrilloIn: return "DECabrilloIn";
    case ToolWindow::Form6: return "Form6";
    case ToolWindow::CWFrm: return "CWFrm";
    case ToolWindow::PhoneFrm: return "PhoneFrm";
    case ToolWindow::RigControlfrm: return "RigControlfrm";
    case ToolWindow::PacketSpotfrm: return "PacketSpotfrm";
    case ToolWindow::SpectrumMap: return "SpectrumMap";
    case ToolWindow::BlindFrm: return "BlindFrm";
    case ToolWindow::frmBandPlan: return "frmBandPlan";
    case ToolWindow::frmCountyChange: return "frmCountyChange";
    case ToolWindow::CountyMapFL: return "CountyMapFL";
    case ToolWindow::GraphQSO: return "GraphQSO";
    case ToolWindow::frmCountyList: return "frmCountyList";
    case ToolWindow::Form5: return "Form5";
    case ToolWindow::frmRigTune: return "frmRigTune";
    case ToolWindow::frmCountyChangeRover: return "frmCountyChangeRover";
    case ToolWindow::frmWinKey: return "frmWinKey";
    case ToolWindow::Form1: return "Form1";
    }
    return "";
}

std::vector<MenuEntry> MenuTree(WindowKind kind) {
    using T = MenuType;
    using W = ToolWindow;
    using O = OpenWay;
    const bool in = kind == WindowKind::InState;
    const MenuEntry all[] = {
        {"mnuFile", "&File", "", T::Menu},
        {"mnuNew", "&New", "mnuFile", T::Item},
        {"mnuLine1", "-", "mnuFile", T::Separator},
        {"mnuArchive", "Archive Current &Log", "mnuFile", T::Item},
        {"mnuLine21", "-", "mnuFile", T::Separator},
        {"mnuRestore", "&Restore from Archive or Backup", "mnuFile", T::Item},
        {"mnuLine53", "-", "mnuFile", T::Separator},
        {"mnuOpen", "&Open", "mnuFile", T::Item, true},
        {"mnuWriteSumm", "&Write Submission File", "mnuFile", T::Item, false, false, W::DECabrilloIn, O::ModalThenUnload},
        {"mnuLine2", "-", "mnuFile", T::Separator},
        {"mnuPendrakeImport", "E&xport for Pendrake Import", "mnuFile", T::Item, true},
        {"mnuexportADIF", "Export &ADIF File", "mnuFile", T::Item},
        {"mnuLine22", "-", "mnuFile", T::Separator},
        {"mnuCopyListtoClipboard", "&Copy Listed Items to Clipboard", "mnuFile", T::Item},
        {"mnuLine3", "-", "mnuFile", T::Separator},
        {"mnuExit", "&Exit", "mnuFile", T::Item},

        {"mnuOptions", "&Options", "", T::Menu},
        {"mnuAppearance", "&Appearance", "mnuOptions", T::Menu},
        {"mnuFormSize", "&Form Size", "mnuAppearance", T::Item},
        {"mnuColors", "&Colors", "mnuAppearance", T::Item, !in, false, W::Form6, O::ModalThenUnload},
        {"mnuTaskbar", "&Taskbar", "mnuAppearance", T::Item, false, true},
        {"mnuLine5", "-", "mnuOptions", T::Separator},
        {"mnutrans", "&Transmit", "mnuOptions", T::Menu},
        {"mnuCW", "&CW Setup", "mnutrans", T::Item, false, false, W::CWFrm, O::Modal},
        {"mnuVoice", "&Voice Setup", "mnutrans", T::Item, false, false, W::PhoneFrm, O::Modal},
        {in ? "mnuline6" : "mnuLine6", "-", "mnuOptions", T::Separator},
        {"mnuRigInterface", "&Rig Interface", "mnuOptions", T::Item, false, false, W::RigControlfrm, O::NotModal},
        {"mnuLine8", "-", "mnuOptions", T::Separator},
        {"mnuDX", "&DX Spotting", "mnuOptions", T::Menu},
        {"mnuDXSpotting", "&Configure", "mnuDX", T::Item, false, false, W::PacketSpotfrm, O::NotModal},
        {"mnuSpectrumMap", "&View Spectrum Map", "mnuDX", T::Item, false, false, W::SpectrumMap, O::ModalThenUnload},
        {"mnuLine7", "-", "mnuOptions", T::Separator},
        {"mnuBlind", "&Voice Navigation", "mnuOptions", T::Item, false, false, W::BlindFrm, O::NotModal},
        {"mnuLine11", "-", "mnuOptions", T::Separator},
        {"mnuListPrevious", "&List Previous Contacts", "mnuOptions", T::Item, false, true},
        {"mnuLine29", "-", "mnuOptions", T::Separator},
        {"mnuPostContest", "&Post Contest Mode", "mnuOptions", T::Item, false, true},

        {"mnuSetup", "&Setup", "", T::TopCommand, true, false, W::None, O::None, Presence::OutOfStateOnly},

        {"mnuBandChange", "&Band", "", T::Menu},
        {"mnuBand160Ch", "160", "mnuBandChange", T::Item, true, true},
        {"mnuBand80Ch", "80", "mnuBandChange", T::Item, true, true},
        {"mnuBand40Ch", "40", "mnuBandChange", T::Item, false, true},
        {"mnuBand20Ch", "20", "mnuBandChange", T::Item, false, true},
        {"mnuBand15Ch", "15", "mnuBandChange", T::Item, false, true},
        {"mnuBand10Ch", "10", "mnuBandChange", T::Item, false, true},
        {"mnuBand6Ch", "6", "mnuBandChange", T::Item, true, true},
        {"mnuLine14", "-", "mnuBandChange", T::Separator},
        {"mnuPrivileges", "&Privileges", "mnuBandChange", T::Item, false, false, W::frmBandPlan, O::ModalThenUnload},

        {"mnuBand", "&Mode", "", T::Menu},
        {"mnu160", "&CW", "mnuBand", T::Item, false, true},
        {"mnuSSB", "&PH", "mnuBand", T::Item, false, true},
        {"mnuDigital", in ? "&DG" : "&Digital", "mnuBand", T::Item, true, true},

        {"mnuClear", "&Clear", "", T::TopCommand},
        {"mnuChangeCounty", "Cha&nge County", "", T::TopCommand, false, false, W::frmCountyChange, O::ModalThenUnload,
         Presence::InStateOnly},
        {"mnuMap", "M&ap", "", T::TopCommand, false, false, W::CountyMapFL, O::ModalThenUnload},
        {"mnuGraph", "&Graph", "", T::TopCommand, false, false, W::GraphQSO, O::ModalThenUnload},
        {"mnuRecall", "&Recall", "", T::TopCommand},
        {"mnuCountyList", "L&ist", "", T::TopCommand, false, false, W::frmCountyList, O::ModalThenUnload},
        {"mnuHelp", "&Help", "", T::TopCommand, false, false, W::Form5, O::ModalThenUnload},
    };
    std::vector<MenuEntry> tree;
    for (const auto& e : all) {
        if (e.presence == Presence::InStateOnly && !in) continue;
        if (e.presence == Presence::OutOfStateOnly && in) continue;
        tree.push_back(e);
    }
    return tree;
}

std::vector<ToolWindow> UnloadOrder(WindowKind kind) {
    using W = ToolWindow;
    std::vector<ToolWindow> order = {W::PhoneFrm,    W::CWFrm,         W::BlindFrm, W::PacketSpotfrm,
                                     W::SpectrumMap, W::RigControlfrm, W::Form1};
    if (kind == WindowKind::InState) order.push_back(W::frmCountyChangeRover);
    order.push_back(W::frmWinKey);
    return order;
}

const MenuEntry* FindMenuEntry(const std::vector<MenuEntry>& tree, const std::string& name) {
    for (const auto& e : tree) {
        if (name == e.name) return &e;
    }
    return nullptr;
}

}  // namespace window
