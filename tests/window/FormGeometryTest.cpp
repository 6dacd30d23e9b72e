#include <gtest/gtest.h>

#include <limits>

#include "window/FormDesign.h"
#include "window/FormGeometry.h"

using namespace window;

namespace {
constexpr float kPx = 15.0f;

// A design of three controls, enough to follow each step of the geometry.
FormDesign smallDesign() {
    FormDesign d;
    d.kind = WindowKind::OutOfState;
    ControlDesign box;
    box.name = "Text1";
    box.kind = ControlKind::TextBox;
    box.left = 1200;
    box.top = 600;
    box.width = 1015;
    box.height = 300;
    box.fontPt = 8.25f;
    d.controls.push_back(box);
    ControlDesign list = box;
    list.name = "List1";
    list.kind = ControlKind::ListBox;
    list.top = 3000;
    d.controls.push_back(list);
    ControlDesign line;
    line.name = "Line3";
    line.kind = ControlKind::Line;
    line.left = 60, line.top = 5000, line.width = 9540, line.height = 5000;
    d.controls.push_back(line);
    d.listView1Columns = {{"Call", 1200}};
    d.txtDXColumns = {{"Call", 1040}};
    return d;
}
}  // namespace

TEST(FormGeometry, LoadScalingFollowsBothScreenRatiosAndFontsTheSmallerOne) {
    struct Case {
        float sw, sh;       // screen, pixels
        float rw, rh, rf;   // expected width, height and font ratios
    };
    const Case cases[] = {
        {1024, 768, 1.6f, 1.6f, 1.6f},
        {1280, 1024, 2.0f, 1024.0f * kPx / 7200.0f, 2.0f},
        {1920, 1080, 3.0f, 2.25f, 2.25f},
    };
    for (const auto& c : cases) {
        auto design = smallDesign();
        FormGeometry g(design);
        g.ScaleToScreen(c.sw * kPx, c.sh * kPx);
        EXPECT_FLOAT_EQ(g.width, c.sw * kPx);
        EXPECT_FLOAT_EQ(g.height, c.sh * kPx);
        EXPECT_FLOAT_EQ(g.left, 0);
        EXPECT_FLOAT_EQ(g.at(0).left, 1200 * c.rw);
        EXPECT_FLOAT_EQ(g.at(0).width, 1015 * c.rw);
        EXPECT_FLOAT_EQ(g.at(0).top, 600 * c.rh);
        EXPECT_FLOAT_EQ(g.at(0).height, 300 * c.rh);
        EXPECT_FLOAT_EQ(g.at(0).fontPt, 8.25f * c.rf);
        EXPECT_FLOAT_EQ(g.at(2).top, 5000 * c.rh);   // Y1 of the line
        EXPECT_FLOAT_EQ(g.at(2).width, 9540 * c.rw); // X2 of the line
        g.CreateColumns(design);
        EXPECT_FLOAT_EQ(g.listView1Columns[0], 1200 * c.rw);
    }
}

TEST(FormGeometry, HalfFormSizeIsHalfTheScreenCentredWithEverythingHalved) {
    auto design = smallDesign();
    FormGeometry g(design);
    const float sw = 1024 * kPx, sh = 768 * kPx;
    g.ScaleToScreen(sw, sh);
    g.CreateColumns(design);
    const FormGeometry full = g;
    EXPECT_TRUE(g.ScaleFormToScreen(50, sw, sh));
    EXPECT_FLOAT_EQ(g.width, sw / 2);
    EXPECT_FLOAT_EQ(g.height, sh / 2);
    EXPECT_FLOAT_EQ(g.left, sw / 4);
    EXPECT_FLOAT_EQ(g.top, sh / 4);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_FLOAT_EQ(g.controls[i].left, full.controls[i].left / 2);
        EXPECT_FLOAT_EQ(g.controls[i].height, full.controls[i].height / 2);
        EXPECT_FLOAT_EQ(g.controls[i].fontPt, full.controls[i].fontPt / 2);
    }
    EXPECT_FLOAT_EQ(g.listView1Columns[0], full.listView1Columns[0] / 2);
    EXPECT_FLOAT_EQ(g.txtDXColumns[0], full.txtDXColumns[0] / 2);
}

TEST(FormGeometry, AFormSizeScalingThatCannotBeDoneLeavesTheLayoutAsItWas) {
    auto design = smallDesign();
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    struct Case {
        float sw, sh;
    };
    for (const Case c : {Case{0, 0}, Case{1024 * kPx, 0}, Case{-1024 * kPx, 768 * kPx}, Case{nan, 768 * kPx},
                         Case{1024 * kPx, inf}}) {
        FormGeometry g(design);
        g.ScaleToScreen(1024 * kPx, 768 * kPx);
        g.CreateColumns(design);
        const FormGeometry before = g;
        EXPECT_FALSE(g.ScaleFormToScreen(50, c.sw, c.sh)) << c.sw << " x " << c.sh;
        EXPECT_EQ(g.width, before.width);
        EXPECT_EQ(g.left, before.left);
        EXPECT_EQ(g.controls[0].fontPt, before.controls[0].fontPt);
        EXPECT_EQ(g.listView1Columns[0], before.listView1Columns[0]);
    }
}

TEST(FormGeometry, FitToWorkAreaAndBackUsesTheAreaOriginAndKeepsFontsAndContactColumns) {
    auto design = smallDesign();
    FormGeometry g(design);
    const platform::TwipsRect screen{0, 0, 1024 * kPx, 768 * kPx};
    // A panel on the left and the top: the work area does not start at the screen's corner.
    const platform::TwipsRect work{48 * kPx, 32 * kPx, 976 * kPx, 736 * kPx};
    g.ScaleToScreen(float(screen.width), float(screen.height));
    g.CreateColumns(design);
    const FormGeometry full = g;

    g.FitToArea(work);
    EXPECT_FLOAT_EQ(g.left, 48 * kPx);
    EXPECT_FLOAT_EQ(g.top, 32 * kPx);
    EXPECT_FLOAT_EQ(g.width, 976 * kPx);
    EXPECT_FLOAT_EQ(g.at(0).width, full.at(0).width * 976.0f / 1024.0f);
    EXPECT_FLOAT_EQ(g.at(0).top, full.at(0).top * 736.0f / 768.0f);
    EXPECT_FLOAT_EQ(g.at(0).fontPt, full.at(0).fontPt);
    EXPECT_FLOAT_EQ(g.listView1Columns[0], full.listView1Columns[0]);
    EXPECT_FLOAT_EQ(g.txtDXColumns[0], full.txtDXColumns[0] * 976.0f / 1024.0f);

    g.FitToArea(screen);
    EXPECT_FLOAT_EQ(g.left, 0);
    EXPECT_NEAR(g.at(0).width, full.at(0).width, 0.01);
    EXPECT_NEAR(g.at(0).top, full.at(0).top, 0.01);
}

TEST(FormGeometry, SideListsReachLine3AndNeverGetANegativeHeight) {
    auto design = DesignFor(WindowKind::InState, false);
    FormGeometry g(design);
    g.ScaleToScreen(1024 * kPx, 768 * kPx);
    const int l1 = design.find("List1"), l2 = design.find("List2"), l3 = design.find("List3");
    const int line3 = design.find("Line3");
    g.SizeSideLists(l1, l2, l3, line3);
    for (int i : {l1, l2, l3}) EXPECT_FLOAT_EQ(g.at(i).top + g.at(i).height, g.at(line3).top);

    g.at(line3).top = g.at(l1).top - 100;  // a layout that moved the line above the lists
    g.SizeSideLists(l1, l2, -1, line3);
    EXPECT_EQ(g.at(l1).height, 0);
    EXPECT_EQ(g.at(l2).height, 0);
}

TEST(FormDesign, BothWindowsFitTheReferenceFrameWithRoomForTheMenuBar) {
    for (auto kind : {WindowKind::InState, WindowKind::OutOfState}) {
        for (bool rover : {false, true}) {
            auto d = DesignFor(kind, rover);
            for (const auto& c : d.controls) {
                const float right = c.kind == ControlKind::Line ? c.width : c.left + c.width;
                const float bottom = c.kind == ControlKind::Line ? c.height : c.top + c.height;
                EXPECT_LE(right, kDesignWidth - 60) << c.key();
                // The client area is the frame less the title and menu bars (about 52 pixels at
                // the 1.6 ratio of a 1024 x 768 screen).
                EXPECT_LE(bottom, kDesignHeight - 52 * 15 / 1.6f) << c.key();
                EXPECT_GE(c.left, 0) << c.key();
            }
        }
    }
    auto in = DesignFor(WindowKind::InState, false);
    for (int i = 1; i <= 67; ++i) EXPECT_GE(in.find("Label10", i), 0) << i;
    EXPECT_EQ(in.listView1Columns.size(), 9u);
    EXPECT_EQ(DesignFor(WindowKind::InState, true).listView1Columns.back().header, "County Sent");
    EXPECT_EQ(DesignFor(WindowKind::OutOfState, true).listView1Columns.size(), 8u);
    EXPECT_EQ(in.find("List3") >= 0, true);
    EXPECT_EQ(DesignFor(WindowKind::OutOfState, false).find("List3"), -1);
}
