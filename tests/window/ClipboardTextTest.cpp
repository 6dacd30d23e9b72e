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

TEST(UnloadOrder, KeyersSpottingRigFacadeThenTheRoverListInStateAndWinKeyLast) {
    using W = ToolWindow;
    EXPECT_EQ(UnloadOrder(WindowKind::InState),
              (std::vector<W>{W::PhoneFrm, W::CWFrm, W::BlindFrm, W::PacketSpotfrm, W::SpectrumMap, W::RigControlfrm,
                              W::Form1, W::frmCountyChangeRover, W::frmWinKey}));
    EXPECT_EQ(UnloadOrder(WindowKind::OutOfState),
              (std::vector<W>{W::PhoneFrm, W::CWFrm, W::BlindFrm, W::PacketSpotfrm, W::SpectrumMap, W::RigControlfrm,
                              W::Form1, W::frmWinKey}));
}
