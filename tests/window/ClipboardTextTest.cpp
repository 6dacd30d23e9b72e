#include <gtest/gtest.h>

#include "window/ClipboardText.h"
#include "window/MenuTable.h"

using namespace window;

TEST(ContactListClipboardText, HeaderLineThenRowsFromTheBottomOfTheListUp) {
    const std::vector<std::string> headers = {"Rec#", "Call", "Bnd"};
    EXPECT_EQ(ContactListClipboardText(headers, {}), "Rec#\tCall\tBnd\r\n");
    // Shown newest first, so the text runs oldest first.
    const std::vector<std::vector<std::string>> rows = {{"3", "W5CC", "40"}, {"2", "VE3BB", "40"}, {"1", "N2AA", ""}};
    EXPECT_EQ(ContactListClipboardText(headers, rows),
              "Rec#\tCall\tBnd\r\n1\tN2AA\t\r\n2\tVE3BB\t40\r\n3\tW5CC\t40\r\n");
}

TEST(MenuTable, CaptionsWaysOfOpeningAndWindowDifferences) {
    const auto in = MenuTree(WindowKind::InState);
    const auto out = MenuTree(WindowKind::OutOfState);
    struct Case {
        const char* name;
        const char* caption;
        ToolWindow window;
        OpenWay way;
    };
    const Case cases[] = {
        {"mnuWriteSumm", "&Write Submission File", ToolWindow::DECabrilloIn, OpenWay::ModalThenUnload},
        {"mnuCW", "&CW Setup", ToolWindow::CWFrm, OpenWay::Modal},
        {"mnuVoice", "&Voice Setup", ToolWindow::PhoneFrm, OpenWay::Modal},
        {"mnuRigInterface", "&Rig Interface", ToolWindow::RigControlfrm, OpenWay::NotModal},
        {"mnuDXSpotting", "&Configure", ToolWindow::PacketSpotfrm, OpenWay::NotModal},
        {"mnuSpectrumMap", "&View Spectrum Map", ToolWindow::SpectrumMap, OpenWay::ModalThenUnload},
        {"mnuBlind", "&Voice Navigation", ToolWindow::BlindFrm, OpenWay::NotModal},
        {"mnuPrivileges", "&Privileges", ToolWindow::frmBandPlan, OpenWay::ModalThenUnload},
        {"mnuMap", "M&ap", ToolWindow::CountyMapFL, OpenWay::ModalThenUnload},
        {"mnuGraph", "&Graph", ToolWindow::GraphQSO, OpenWay::ModalThenUnload},
        {"mnuCountyList", "L&ist", ToolWindow::frmCountyList, OpenWay::ModalThenUnload},
        {"mnuHelp", "&Help", ToolWindow::Form5, OpenWay::ModalThenUnload},
        {"mnuExit", "&Exit", ToolWindow::None, OpenWay::None},
        {"mnuPendrakeImport", "E&xport for Pendrake Import", ToolWindow::None, OpenWay::None},
    };
    for (const auto* tree : {&in, &out}) {
        for (const auto& c : cases) {
            const MenuEntry* e = FindMenuEntry(*tree, c.name);
            ASSERT_NE(e, nullptr) << c.name;
            EXPECT_STREQ(e->caption, c.caption) << c.name;
            EXPECT_EQ(e->window, c.window) << c.name;
            EXPECT_EQ(e->way, c.way) << c.name;
        }
    }
    EXPECT_TRUE(FindMenuEntry(in, "mnuOpen")->switchedOff);
    EXPECT_FALSE(FindMenuEntry(in, "mnuColors")->switchedOff);
    EXPECT_TRUE(FindMenuEntry(out, "mnuColors")->switchedOff);
    EXPECT_STREQ(FindMenuEntry(in, "mnuDigital")->caption, "&DG");
    EXPECT_STREQ(FindMenuEntry(out, "mnuDigital")->caption, "&Digital");
    EXPECT_EQ(FindMenuEntry(in, "mnuSetup"), nullptr);
    EXPECT_TRUE(FindMenuEntry(out, "mnuSetup")->switchedOff);
    EXPECT_NE(FindMenuEntry(in, "mnuChangeCounty"), nullptr);
    EXPECT_EQ(FindMenuEntry(out, "mnuChangeCounty"), nullptr);
    // The menu bar reads File, Options, [Setup], Band, Mode, then the direct commands.
    std::vector<std::string> bar;
    for (const auto& e : out)
        if (e.parent[0] == 0) bar.push_back(e.caption);
    EXPECT_EQ(bar, (std::vector<std::string>{"&File", "&Options", "&Setup", "&Band", "&Mode", "&Clear", "M&ap",
                                             "&Graph", "&Recall", "L&ist", "&Help"}));
}

// The whole menu tree of both windows as the operator's manual gives it: name, caption, the
// menu it stands in, and whether it is switched off.
TEST(MenuTable, TheWholeTreeOfBothWindows) {
    struct Row {
        const char *parent, *name, *caption;
        bool off;
    };
    auto expected = [](bool in) {
        std::vector<Row> rows = {
            {"", "mnuFile", "&File", false},
            {"mnuFile", "mnuNew", "&New", false},
            {"mnuFile", "mnuLine1", "-", false},
            {"mnuFile", "mnuArchive", "Archive Current &Log", false},
            {"mnuFile", "mnuLine21", "-", false},
            {"mnuFile", "mnuRestore", "&Restore from Archive or Backup", false},
            {"mnuFile", "mnuLine53", "-", false},
            {"mnuFile", "mnuOpen", "&Open", true},
            {"mnuFile", "mnuWriteSumm", "&Write Submission File", false},
            {"mnuFile", "mnuLine2", "-", false},
            {"mnuFile", "mnuPendrakeImport", "E&xport for Pendrake Import", true},
            {"mnuFile", "mnuexportADIF", "Export &ADIF File", false},
            {"mnuFile", "mnuLine22", "-", false},
            {"mnuFile", "mnuCopyListtoClipboard", "&Copy Listed Items to Clipboard", false},
            {"mnuFile", "mnuLine3", "-", false},
            {"mnuFile", "mnuExit", "&Exit", false},
            {"", "mnuOptions", "&Options", false},
            {"mnuOptions", "mnuAppearance", "&Appearance", false},
            {"mnuAppearance", "mnuFormSize", "&Form Size", false},
            {"mnuAppearance", "mnuColors", "&Colors", !in},
            {"mnuAppearance", "mnuTaskbar", "&Taskbar", false},
            {"mnuOptions", "mnuLine5", "-", false},
            {"mnuOptions", "mnutrans", "&Transmit", false},
            {"mnutrans", "mnuCW", "&CW Setup", false},
            {"mnutrans", "mnuVoice", "&Voice Setup", false},
            {"mnuOptions", in ? "mnuline6" : "mnuLine6", "-", false},
            {"mnuOptions", "mnuRigInterface", "&Rig Interface", false},
            {"mnuOptions", "mnuLine8", "-", false},
            {"mnuOptions", "mnuDX", "&DX Spotting", false},
            {"mnuDX", "mnuDXSpotting", "&Configure", false},
            {"mnuDX", "mnuSpectrumMap", "&View Spectrum Map", false},
            {"mnuOptions", "mnuLine7", "-", false},
            {"mnuOptions", "mnuBlind", "&Voice Navigation", false},
            {"mnuOptions", "mnuLine11", "-", false},
            {"mnuOptions", "mnuListPrevious", "&List Previous Contacts", false},
            {"mnuOptions", "mnuLine29", "-", false},
            {"mnuOptions", "mnuPostContest", "&Post Contest Mode", false},
        };
        if (!in) rows.push_back({"", "mnuSetup", "&Setup", true});
        const std::vector<Row> rest = {
            {"", "mnuBandChange", "&Band", false},
            {"mnuBandChange", "mnuBand160Ch", "160", true},
            {"mnuBandChange", "mnuBand80Ch", "80", true},
            {"mnuBandChange", "mnuBand40Ch", "40", false},
            {"mnuBandChange", "mnuBand20Ch", "20", false},
            {"mnuBandChange", "mnuBand15Ch", "15", false},
            {"mnuBandChange", "mnuBand10Ch", "10", false},
            {"mnuBandChange", "mnuBand6Ch", "6", true},
            {"mnuBandChange", "mnuLine14", "-", false},
            {"mnuBandChange", "mnuPrivileges", "&Privileges", false},
            {"", "mnuBand", "&Mode", false},
            {"mnuBand", "mnu160", "&CW", false},
            {"mnuBand", "mnuSSB", "&PH", false},
            {"mnuBand", "mnuDigital", in ? "&DG" : "&Digital", true},
            {"", "mnuClear", "&Clear", false},
        };
        rows.insert(rows.end(), rest.begin(), rest.end());
        if (in) rows.push_back({"", "mnuChangeCounty", "Cha&nge County", false});
        for (const Row r : {Row{"", "mnuMap", "M&ap", false}, Row{"", "mnuGraph", "&Graph", false},
                            Row{"", "mnuRecall", "&Recall", false}, Row{"", "mnuCountyList", "L&ist", false},
                            Row{"", "mnuHelp", "&Help", false}})
            rows.push_back(r);
        return rows;
    };
    for (bool in : {true, false}) {
        const auto tree = MenuTree(in ? WindowKind::InState : WindowKind::OutOfState);
        const auto rows = expected(in);
        ASSERT_EQ(tree.size(), rows.size()) << (in ? "in-state" : "out-of-state");
        for (size_t i = 0; i < rows.size(); ++i) {
            const std::string where = std::string(in ? "in-state " : "out-of-state ") + rows[i].name;
            EXPECT_STREQ(tree[i].name, rows[i].name) << where;
            EXPECT_STREQ(tree[i].caption, rows[i].caption) << where;
            EXPECT_STREQ(tree[i].parent, rows[i].parent) << where;
            EXPECT_EQ(tree[i].switchedOff, rows[i].off) << where;
            EXPECT_EQ(tree[i].type == MenuType::Separator, std::string(rows[i].caption) == "-") << where;
        }
    }
}

TEST(UnloadOrder, KeyersSpottingRigFacadeThenTheRoverListInStateAndWinKeyLast) {
    using W = ToolWindow;
    EXPECT_EQ(UnloadOrder(WindowKind::InState),
              (std::vector<W>{W::PhoneFrm, W::CWFrm, W::BlindFrm, W::PacketSpotfrm, W::SpectrumMap, W::RigControlfrm,
                              W::Form1, W::frmCountyChangeRover, W::frmWinKey}));
    EXPECT_EQ(UnloadOrder(WindowKind::OutOfState),
              (std::vector<W>{W::PhoneFrm, W::CWFrm, W::BlindFrm, W::PacketSpotfrm, W::SpectrumMap, W::RigControlfrm,
                              W::Form1, W::frmWinKey}));
}
