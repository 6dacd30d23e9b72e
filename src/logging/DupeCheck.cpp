#include "logging/DupeCheck.h"

#include "logging/DateText.h"
#include "logging/Text.h"

namespace logging {

namespace {
bool InState(const DupeContext& ctx) { return ctx.kind == WindowKind::InState; }

bool SameBandMode(const DupeContext& ctx, const station::ContactRecord& r) {
    return IEquals(r.Band, ctx.Band) && IEquals(r.Mode, ctx.Mode);
}

bool RoverKey(const DupeContext& ctx, const station::ContactRecord& r, std::string_view call) {
    return IEquals(r.Call, call) && SameBandMode(ctx, r) && (!InState(ctx) || IEquals(r.CountySent, ctx.OwnCounty));
}

bool HardKey(const DupeContext& ctx, const station::ContactRecord& r, const EntryFields& f) {
    return RoverKey(ctx, r, f.Call) && IEquals(r.County, f.County);
}

void Fill(const DupeContext& ctx, const station::ContactRecord& r, FilledFields& out) {
    if (InState(ctx) && out.fields.Country.empty() && !r.Spc.empty()) {
        out.fields.Country = r.Spc;
        out.countryFilled = true;
    }
    if (out.fields.County.empty() && !r.County.empty() &&
        (!InState(ctx) || IEquals(out.fields.Country, ctx.HomeState))) {
        out.fields.County = r.County;
        out.countyFilled = true;
    }
}

std::string RecNo(int index) { return " " + std::to_string(index); }
}  // namespace

std::string DuplicateMessage(WindowKind kind, const station::ContactRecord& r, int index) {
    if (kind == WindowKind::InState)
        return "Duplicate " + r.Call + " " + MonthDay(r.QsoDate) + " " + r.QsoTime + "  Rec# " + RecNo(index);
    return "Duplicate " + r.Call + "  " + r.QsoDate + "  " + r.QsoTime + "   Rec# " + RecNo(index);
}

std::string RoverWarningMessage(WindowKind kind, const station::ContactRecord& r, int index) {
    if (kind == WindowKind::InState)
        return "Dupe if not rover!  " + r.Call + "  " + MonthDay(r.QsoDate) + "  " + r.QsoTime + "   Rec# " +
               RecNo(index);
    return "Duplicate Unless Rover!  " + r.Call + "  " + r.QsoDate + "  " + r.QsoTime + "   Rec# " + RecNo(index);
}

HardDupe DupCheck(const DupeContext& ctx, const station::ContactLog& log, EntryFields fields) {
    HardDupe out;
    out.fields = std::move(fields);
    const auto& records = log.records();
    for (size_t i = 0; i < records.size(); ++i) {
        const auto& r = records[i];
        if (!IEquals(r.Call, out.fields.Call)) continue;
        Fill(ctx, r, out);
        if (HardKey(ctx, r, out.fields)) {
            out.record = static_cast<int>(i) + 1;
            out.message = DuplicateMessage(ctx.kind, r, out.record);
            return out;
        }
    }
    return out;
}

bool IsHardDupe(const DupeContext& ctx, const station::ContactLog& log, const EntryFields& fields) {
    return DupCheck(ctx, log, fields).record != 0;
}

RoverCheck DupCheck2(const DupeContext& ctx, const station::ContactLog& log, EntryFields fields,
                     bool listPrevious) {
    RoverCheck out;
    out.fields = std::move(fields);
    const auto& records = log.records();
    for (size_t i = 0; i < records.size(); ++i) {
        const auto& r = records[i];
        const int index = static_cast<int>(i) + 1;
        if (IEquals(r.Call, out.fields.Call)) {
            if (listPrevious) out.previous.push_back(index);
            Fill(ctx, r, out);
            if (InState(ctx) && !IEquals(r.Spc, ctx.HomeState) && SameBandMode(ctx, r) &&
                IEquals(r.CountySent, ctx.OwnCounty)) {
                HardDupe hard = DupCheck(ctx, log, out.fields);
                if (hard.record) {
                    out.hardDupe = std::move(hard);
                    return out;
                }
                // The hard check's own fills stand, as the fields are the same ones.
                out.fields = hard.fields;
                out.countyFilled |= hard.countyFilled;
                out.countryFilled |= hard.countryFilled;
            }
        }
        if (RoverKey(ctx, r, out.fields.Call)) {
            out.warnings.push_back(index);
            out.message = RoverWarningMessage(ctx.kind, r, index);
            if (!listPrevious) return out;
        }
    }
    return out;
}

std::string PartialDupes(const DupeContext& ctx, const station::ContactLog& log, std::string_view typed) {
    std::string list;
    for (const auto& r : log.records()) {
        // The call test first: it rejects most records at their first character.
        if (IStartsWith(r.Call, typed) && SameBandMode(ctx, r) &&
            (!InState(ctx) || IEquals(r.CountySent, ctx.OwnCounty)))
            list = r.Call + " " + list;
        // The list stops growing after a record of this band and mode once it is long enough.
        if (list.size() > 100 && SameBandMode(ctx, r)) break;
    }
    return list;
}

PartialCheck PartialDupCheck(const DupeContext& ctx, const station::ContactLog& log, std::string_view callText,
                             int key, bool partialOn, bool loggedOn) {
    PartialCheck out;
    std::string typed(callText);
    typed += static_cast<char>(key);
    const bool listKey = key >= 46 && key <= 90;
    if (partialOn && listKey) out.list = PartialDupes(ctx, log, typed);
    if (!out.list.empty() && callText.size() > 2) out.dialog = "Possible Duplicate!";
    else if (loggedOn) out.dialog = " ";
    if (typed.size() == 3 && listKey) {
        auto plausible = [](char c) { return c >= 47 && c <= 57; };
        if (plausible(typed[1]) || plausible(typed[2])) {
            out.dialog = " ";
        } else {
            out.beep = true;
            out.dialog = "The second or third character is not numeric!";
        }
    }
    return out;
}

}  // namespace logging
