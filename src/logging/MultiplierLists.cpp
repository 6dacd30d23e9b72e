#include "logging/MultiplierLists.h"

#include <algorithm>

#include "logging/Scoring.h"
#include "logging/StateTable.h"
#include "logging/Text.h"

namespace logging {

namespace {
bool InView(ModeView view, std::string_view mode, std::string_view currentMode) {
    return view == ModeView::AllModes || IEquals(mode, currentMode);
}

bool Holds(const std::vector<std::string>& list, std::string_view text) {
    return std::any_of(list.begin(), list.end(), [&](const std::string& e) { return IEquals(e, text); });
}

// Inserts in case-blind alphabetical order, after equal entries.
void InsertSorted(std::vector<std::string>& list, std::string_view text) {
    auto less = [](std::string_view a, std::string_view b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return static_cast<unsigned char>(FoldCase(x)) <
                                                                        static_cast<unsigned char>(FoldCase(y)); });
    };
    auto at = std::upper_bound(list.begin(), list.end(), text,
                               [&](std::string_view t, const std::string& e) { return less(t, e); });
    list.insert(at, std::string(text));
}

void RemoveFirst(std::vector<std::string>& list, std::string_view text) {
    auto it = std::find_if(list.begin(), list.end(), [&](const std::string& e) { return IEquals(e, text); });
    if (it != list.end()) list.erase(it);
}

void SetHeadings(CountyLists& lists, WindowKind kind) {
    const std::string w = std::to_string(lists.worked.size()), r = std::to_string(lists.remaining.size());
    if (kind == WindowKind::InState) {
        lists.workedHeading = "Cnty Wkd - " + w;
        lists.remainingHeading = "Cnty Rem - " + r;
    } else {
        lists.workedHeading = "Counties Worked - " + w;
        lists.remainingHeading = "Counties To Go - " + r;
    }
}

std::string ModeHeading(const DxWorkedLists& dx, std::string_view currentMode) {
    const int list = DxListOfMode(currentMode);
    return "DX " + ToUpper(currentMode) + " - " + std::to_string(dx.count(list));
}
}  // namespace

CountyLists BuildCountyLists(WindowKind kind, const station::ContactLog& log, const station::CountyTable& counties,
                             ModeView view, std::string_view currentMode) {
    CountyLists lists;
    for (const auto& row : counties.rows) InsertSorted(lists.remaining, row.Name);
    for (const auto& r : log.records())
        if (!r.County.empty() && InView(view, r.Mode, currentMode) && !Holds(lists.worked, r.County))
            InsertSorted(lists.worked, r.County);
    for (const auto& county : lists.worked) RemoveFirst(lists.remaining, county);
    SetHeadings(lists, kind);
    return lists;
}

void UpdateCountyLists(CountyLists& lists, WindowKind kind, std::string_view county) {
    if (!Holds(lists.worked, county)) InsertSorted(lists.worked, county);
    RemoveFirst(lists.remaining, county);
    SetHeadings(lists, kind);
}

DxList ShowDXList(const station::ContactLog& log, const DxWorkedLists& dx, ModeView view, std::string_view currentMode,
                  const station::PrefixTable& countries) {
    DxList out;
    if (view == ModeView::AllModes) {
        DxCountryRule isDx(countries);
        for (const auto& r : log.records())
            if (isDx(r.Spc) && !Holds(out.entries, r.Spc)) InsertSorted(out.entries, r.Spc);
        out.heading = "DX All - " + std::to_string(out.entries.size());
        return out;
    }
    const int list = DxListOfMode(currentMode);
    if (list < 0) return out;
    out.heading = ModeHeading(dx, currentMode);
    for (const auto& e : dx.lists[static_cast<size_t>(list)]) InsertSorted(out.entries, e);
    return out;
}

void AddDxEntry(DxList& list, const DxWorkedLists& dx, ModeView view, std::string_view currentMode, std::string_view spc) {
    if (view == ModeView::AllModes) {
        if (!Holds(list.entries, spc)) InsertSorted(list.entries, spc);
        list.heading = "DX All - " + std::to_string(list.entries.size());
        return;
    }
    if (DxListOfMode(currentMode) < 0) return;
    InsertSorted(list.entries, spc);
    list.heading = ModeHeading(dx, currentMode);
}

std::array<bool, 68> ShowSectionsWorked(const WorkedTable& worked, ModeView view, std::string_view currentMode) {
    std::array<bool, 68> out{};
    const int column = IEquals(currentMode, "CW") ? 1 : IEquals(currentMode, "PH") ? 2 : 0;
    for (int i = 1; i <= StateCount; ++i) {
        if (view == ModeView::AllModes) out[static_cast<size_t>(i)] = worked.isSet(1, i) || worked.isSet(2, i);
        else out[static_cast<size_t>(i)] = column && worked.isSet(column, i);
    }
    return out;
}

std::string GridHoverText(const station::ContactLog& log, int index) {
    const std::string_view code = StateAbbrev(index);
    int total = 0;
    for (const auto& r : log.records())
        if (IEquals(r.Spc, code)) ++total;
    return "  " + std::string(StateName(index)) + "    Total = " + std::to_string(total);
}

const char* ViewCaption(ModeView view) { return view == ModeView::AllModes ? "All Modes" : "Crnt Mode"; }

ModeView ToggleView(ModeView view) {
    return view == ModeView::AllModes ? ModeView::CurrentMode : ModeView::AllModes;
}

}  // namespace logging
