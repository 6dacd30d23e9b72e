#include "window/FormDesign.h"

#include <algorithm>

#include "window/StateTable.h"

namespace window {

namespace {
// The table is written in design pixels of 15 twips (the reference screen is 640 x 480 of them).
constexpr float T(float px) { return px * 15.0f; }

class Builder {
public:
    explicit Builder(FormDesign& d) : d_(d) {}
    ControlDesign& add(ControlKind kind, const std::string& name, int index, float x, float y, float w, float h,
                       const std::string& caption = {}) {
        ControlDesign c;
        c.name = name;
        c.index = index;
        c.kind = kind;
        c.left = T(x);
        c.top = T(y);
        c.width = T(w);
        c.height = T(h);
        c.caption = caption;
        d_.controls.push_back(c);
        return d_.controls.back();
    }
    ControlDesign& label(const std::string& name, int index, float x, float y, float w, float h,
                         const std::string& caption = {}, Look look = Look::Plain) {
        auto& c = add(ControlKind::Label, name, index, x, y, w, h, caption);
        c.look = look;
        if (look == Look::Heading) c.bold = true;
        return c;
    }
    ControlDesign& line(const std::string& name, float x1, float y1, float x2, float y2) {
        return add(ControlKind::Line, name, -1, x1, y1, x2, y2);
    }

private:
    FormDesign& d_;
};

void stationStrip(Builder& b, bool in) {
    auto& call = b.label("Label2", -1, 4, 2, 128, 19, "CALL");
    call.fontPt = 12;
    call.bold = true;
    b.label("Label25", -1, 4, 21, 128, 15, in ? "County" : "SPC");
    b.label("Label21", -1, 140, 2, 44, 13, "Band");
    auto& band = b.label("Label24", -1, 140, 16, 44, 20, "", Look::Value);
    band.fontPt = 12;
    band.bold = true;
    band.tip = "Click to change modes.";
    b.label("lblBandSwitch", -1, 188, 2, 44, 13, "Mode");
    auto& mode = b.label("Label30", -1, 188, 16, 44, 20, "CW", Look::Value);
    mode.fontPt = 12;
    mode.bold = true;
    mode.tip = "Click to change modes.";
    b.label("Label11", -1, 238, 2, 74, 13, "UTC");
    b.label("lblutctime", -1, 238, 16, 74, 20, "UTC TIME", Look::Value).fontPt = 9.75f;
    b.label("lblCurTime", -1, 316, 16, 64, 20, "Reg Time", Look::Value).fontPt = 9.75f;
    b.label("Label16", -1, 382, 16, 20, 20, "am");
    b.label("Label12", -1, 408, 2, 88, 13, in ? " Oper Time" : "Operating Time");
    b.label("lblttrack", -1, 408, 16, 88, 20, "00:00:00", Look::Value).fontPt = 9.75f;
    auto& logOn = b.add(ControlKind::Button, "cmdLogOn", -1, 502, 4, 134, 30, "&Log \"Time On\"");
    logOn.tip = "Records On/Off times and controls duration clock.";
    logOn.bold = true;
    b.line("Line1", 4, 39, 636, 39);
}

// The entry line in tab order: call, report received, state/province/country, county, report
// sent. The out-of-state window has no visible country field, so its fields close up.
void entryLine(Builder& b, bool in) {
    const float xCall = 4, xRstr = 112, xCntry = 166;
    const float xSec = in ? 282 : 166, xRsts = in ? 422 : 310;
    const float wSec = in ? 136 : 140, wRst = 50;
    b.label("lblStation", 2, xCall, 41, 104, 13, "Call");
    b.label("lblStation", 3, xRstr, 41, wRst, 13, "RS(T) Rc");
    auto& cntryCap = b.label("lblStation", 1, in ? xCntry : 364, 41, 112, 13,
                             in ? "St / Prv / Country" : "State/Prov/Cntr");
    if (in) cntryCap.tip = "State / Province / Country";
    cntryCap.visible = in;
    b.label("lblStation", 4, xSec, 41, wSec, 13, "County");
    b.label("lblStation", 0, xRsts, 41, wRst, 13, "RS(T) Sn");

    auto field = [&](const char* name, float x, float w, int maxLength) -> ControlDesign& {
        auto& c = b.add(ControlKind::TextBox, name, -1, x, 55, w, 24);
        c.maxLength = maxLength;
        c.fontPt = 12;
        return c;
    };
    field("txtCall", xCall, 104, 12).bold = true;
    field("txtRSTR", xRstr, wRst, 3);
    field("txtCntry", in ? xCntry : 364, 112, 30).visible = in;
    field("txtSec", xSec, wSec, 20);
    field("txtRSTS", xRsts, wRst, 3);

    auto& isNew = b.label("Label3", -1, in ? 476 : 364, 59, 28, 16, "New", Look::Marker);
    isNew.bold = true;
    isNew.visible = false;  // shown by the entry rules for a new multiplier
    // Post-contest time, then date, left to right as Tab and Space walk them.
    b.label("lblPostConDate", -1, 566, 41, 70, 13, "Date").visible = false;
    auto& date = b.add(ControlKind::TextBox, "txtPostConDate", -1, 566, 55, 70, 24);
    date.visible = false;
    date.maxLength = 10;
    b.label("lblPostConTime", -1, 508, 41, 54, 13, "Time").visible = false;
    auto& time = b.add(ControlKind::TextBox, "txtPostConTime", -1, 508, 55, 54, 24);
    time.visible = false;
    time.maxLength = 8;
}

void statusLines(Builder& b, bool in) {
    auto& status = b.label("lblDialog", -1, 4, 83, 420, 18, "", Look::Status);
    status.fontPt = 9.75f;
    status.bold = true;
    if (!in) status.tip = "It is not necessary to press Space or Tab to tab unless the Callsign includes a \"/\".";
    // Continent, bearing and miles of the station being entered (out-of-state: never shown).
    b.label("Label20", -1, 428, 85, 28, 15, in ? "Con" : "Continent").visible = in;
    b.label("Label19", -1, 456, 85, 26, 15, "", Look::Value).visible = in;
    b.label("Label17", -1, 486, 85, 44, 15, "Bearing").visible = in;
    b.label("Label22", -1, 530, 85, 30, 15, "", Look::Value).visible = in;
    b.label("Label18", -1, 564, 85, 32, 15, "Miles").visible = in;
    b.label("Label23", -1, 596, 85, 40, 15, "", Look::Value).visible = in;

    b.label("lblPossDup", -1, 4, 105, 116, 15, in ? "   Possible Duplicates" : "Possible Duplicates",
                            Look::Caption);
    b.add(ControlKind::Button, "cmdDup", -1, 122, 103, 36, 18, "On").tip =
        "Displaying partial dupes slows the program on older pc's.";
    // The partial-duplicate list in 9 points on the design, scaled with the window like every
    // font (by the smaller of the screen's width and height ratios, so it fits its panel).
    auto& dupes = b.label("lblDupe", -1, 162, 105, 474, 15, "", Look::Value);
    dupes.fontPt = 9;
    dupes.bold = true;
}

void contactsAndScore(Builder& b, bool in) {
    b.label("lblRecentContacts", -1, 4, 125, 100, 14, "Recent Contacts", Look::Heading);
    b.add(ControlKind::Button, "cmdList", -1, 108, 122, 60, 18, "Last 20").tip =
        "List all or last 20 contacts (Listing all will slow the program)";
    b.add(ControlKind::Button, "cmdEdit", -1, 256, 122, 82, 18, "Edit Contact");
    b.add(ControlKind::Button, "cmdDelete", -1, 342, 122, 82, 18, "Delete Contact");
    // A size smaller than the captions' keeps "mm/dd hh:nn" inside its narrow Date/Time column.
    auto& contacts = b.add(ControlKind::ListView, "ListView1", -1, 4, 142, 420, 126);
    contacts.tip = "Click record to edit or delete.";
    contacts.fontPt = 7.0f;

    b.label("lblScorStats", -1, 430, 125, 206, 14, "Score Statistics", Look::Heading);
    struct Row {
        const char* head;
        const char* headIn;
        const char* headOut;
        const char* value;
        float y;
    };
    const Row rows[] = {
        {"lblTotConHead", "Total PH Contacts .......", "Total PH Contacts ........", "lblTotCon", 143},
        {"lblSectogoHead", "Total CW Contacts .....", "Total CW Contacts ......", in ? "lblsectogo" : "lblSectogo", 159},
        {"lblTotSecHead", "Total Multipliers ..........", "Total Multipliers ...........", "lblTotSec", 175},
        {"lblTotScoreHead", "Tot Score (less pwr mult)", "Tot Score (less pwr mult)", "lblTotScore", 191},
    };
    for (const auto& r : rows) {
        b.label(r.head, -1, 430, r.y, 150, 15, in ? r.headIn : r.headOut);
        b.label(r.value, -1, 582, r.y, 54, 15, "0", Look::Number);
    }
    b.label("Label9", -1, 430, 213, 150, 15, "QSOs / Hr (last 60 min)");
    b.label("lblAQSO60", -1, 582, 213, 54, 15, "0", Look::Number);
    b.label("Label8", -1, 430, 229, 150, 15, "QSOs / Hr (last 20 min)");
    b.label("lblAQSO20", -1, 582, 229, 54, 15, "0", Look::Number);
    b.line("Line2", 4, 270, 636, 270);
}

// In-state: the grid of states and provinces worked, and three side lists (DX entities,
// counties worked, counties remaining) that reach down to Line3.
void inStateMultipliers(Builder& b) {
    b.label("Label15", -1, 4, 273, 300, 14, "States and Provinces Worked All Bands:", Look::Heading);
    // Each call-area group is a block of label columns five high under its heading; the groups
    // stand in four columns of groups, set apart by a small gap.
    // Cells as narrow as the widest code allows, so the DX list beside the grid gets the room
    // its country names need.
    const float cellW = 19, cellH = 13, top = 287, columnGap = 6;
    float x = 4;
    int group = 0, lastColumn = 1;
    for (const auto& g : GridGroups()) {
        if (g.column != lastColumn) x += columnGap;
        lastColumn = g.column;
        const int n = g.size();
        // "Region" needs two columns of room for its heading.
        const int columns = std::max((n + 4) / 5, std::string(g.heading).size() > 1 ? 2 : 1);
        b.label("lblCallArea", group++, x, top, columns * cellW - 2, 12, g.heading, Look::Heading).fontPt = 7.5f;
        for (int k = 0; k < n; ++k) {
            auto& cell = b.label("Label10", g.members[k], x + (k / 5) * cellW, top + 12 + (k % 5) * cellH,
                                 cellW - 2, cellH - 1, "WWW", Look::GridCell);
            cell.fontPt = 7.5f;
        }
        x += columns * cellW;
    }
    b.add(ControlKind::Button, "Command1", -1, 536, 248, 100, 19, "All Modes");
    // Plain captions: "Cnty Rem - 67" must fit over its list. The county lists are as wide as
    // "Hillsborough" and a scroll bar need; the DX list gets the rest.
    b.label("lblStation", 5, 410, 273, 73, 14, "DX");
    b.label("lblStation", 8, 487, 273, 72, 14, "Cnty Wkd - 0");
    b.label("lblStation", 7, 563, 273, 73, 14, "Cnty Rem - 0");
    // The side lists in a smaller size, so more names show above Line3.
    b.add(ControlKind::ListBox, "List1", -1, 410, 288, 73, 60).fontPt = 7.5f;
    b.add(ControlKind::ListBox, "List2", -1, 487, 288, 72, 60).fontPt = 7.5f;
    b.add(ControlKind::ListBox, "List3", -1, 563, 288, 73, 60).fontPt = 7.5f;
}

// Out-of-state: the multipliers are the home state's counties, to go and worked, side by side.
void outOfStateMultipliers(Builder& b) {
    b.label("Label15", -1, 4, 273, 300, 14, "Multipliers worked on current band:", Look::Heading);
    b.label("Label10", -1, 324, 273, 312, 14, "");
    b.label("lblStation", 7, 4, 289, 312, 14, "Counties To Go", Look::Heading);
    b.label("lblStation", 5, 324, 289, 312, 14, "Counties Worked", Look::Heading);
    b.add(ControlKind::ListBox, "List1", -1, 4, 304, 312, 50).fontPt = 7.5f;
    b.add(ControlKind::ListBox, "List2", -1, 324, 304, 312, 50).fontPt = 7.5f;
    b.add(ControlKind::Button, "Command1", -1, 536, 248, 100, 19, "All Modes");
}

// Line3 closes the side lists at the bottom of the layout. The spot panel (the band map strip
// with its line, scale and spot labels, and the spot list in the same place) is hidden and
// parked near the top until a spot source is chosen; the panel layout then squeezes the rest
// upwards and places it along the bottom (PacketResize.h).
void spotArea(Builder& b) {
    b.line("Line3", 4, 424, 636, 424);
    constexpr float parked = 1000.0f / 15.0f;
    auto panel = [](ControlDesign& c) -> ControlDesign& {
        c.visible = false;
        c.spotPanel = true;
        return c;
    };
    panel(b.label("lblDX", -1, 4, parked, 632, 54, "", Look::Panel));
    panel(b.line("LineDX", 10, parked, 630, parked));
    // Scale labels 615 x 255 twips, spot labels 600 x 255, both 6.75 points.
    for (int i = 0; i < 5; ++i) {
        auto& tick = panel(b.label("lblFreqSpot", i, 10 + i * 140, parked, 41, 17, "", Look::BandMapScale));
        tick.fontPt = 6.75f;
    }
    for (int i = 0; i < 50; ++i) {
        auto& spot = panel(b.label("lblDXSpot", i, 10, parked, 40, 17, "DXLBL", Look::BandMapSpot));
        spot.fontPt = 6.75f;
    }
    panel(b.add(ControlKind::ListView, "txtDX", -1, 4, parked, 632, 54));
}
}  // namespace

int FormDesign::find(const std::string& name, int index) const {
    for (size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].name == name && controls[i].index == index) return static_cast<int>(i);
    }
    return -1;
}

FormDesign DesignFor(WindowKind kind, bool rover) {
    FormDesign d;
    d.kind = kind;
    const bool in = kind == WindowKind::InState;
    Builder b(d);
    stationStrip(b, in);
    entryLine(b, in);
    statusLines(b, in);
    contactsAndScore(b, in);
    if (in) inStateMultipliers(b);
    else outOfStateMultipliers(b);
    spotArea(b);

    if (in && rover) {
        // Ten columns at the nine columns' widths would run 700 twips past the list and hide
        // "County Sent" behind a scroll bar: the narrow columns give up what their texts do
        // not need, so every column shows, a portable call of ten characters and
        // "Hillsborough" whole.
        d.listView1Columns = {{"Rec#", 470},   {"Call", 975}, {"Rec", 330}, {"SPC", 845},
                              {"County", 855}, {"Snt", 310},  {"Date/Time", 820},
                              {"Mo", 310},     {"Bnd", 330},  {"County Sent", 855}};
    } else if (in) {
        d.listView1Columns = {{"Rec#", 530},  {"Call", 850},      {"Rec", 430}, {"SPC", 910}, {"County", 1050},
                              {"Snt", 420},   {"Date/Time", 890}, {"Mo", 430},  {"Bnd", 430}};
    } else {
        d.listView1Columns = {{"Rec#", 550}, {"Call", 1200},     {"Rec", 430}, {"County", 1420},
                              {"Snt", 420},  {"Date/Time", 900}, {"Mo", 430},  {"Bnd", 430}};
    }
    d.txtDXColumns = {{"Call", 1040},   {"Frequency", 880, ColumnDesign::Right},
                      {"QTH", 2000},    {"Status", 0, ColumnDesign::Center},
                      {"Comments", 3400}, {"Prefix", 520},
                      {"Time", 600},    {"From", 520}};
    return d;
}

}  // namespace window
