#include "logging/Mains.h"

#include "logging/BandSwitch.h"
#include "logging/DateText.h"
#include "logging/DupeCheck.h"
#include "logging/LoggingRun.h"
#include "logging/Rates.h"
#include "logging/Text.h"
#include "logging/Validation.h"
#include "station/LogStore.h"

namespace logging {

namespace {
bool InState(WindowKind kind) { return kind == WindowKind::InState; }

DupeContext ContextOf(const LoggingRun& s, WindowKind kind, const std::string& ownCounty) {
    return {kind, s.profile.CurrentBand, s.profile.CurrentMode, ownCounty, s.profile.HomeState};
}

// A known abbreviation in the county field becomes the county's name.
void ExpandCounty(const LoggingRun& s, EntryFields& f) {
    std::string abbrev = f.County;
    const std::string name = station::CountyNameFromAbbrev(s.counties, abbrev);
    if (!name.empty()) f.County = name;
}

void Sanitize(station::ContactRecord& r) {
    for (std::string* field : {&r.Call, &r.RstSent, &r.RstReceived, &r.Spc, &r.County, &r.CountySent,
                               &r.QsoDate, &r.QsoTime, &r.Mode, &r.Band, &r.Frequency})
        *field = SanitizeField(*field);
}

// Appends and counts one record; false with the reason in result.messages.
bool Store(LoggingRun& s, WindowKind kind, const station::ContactRecord& r, MainsResult& result) {
    switch (station::AppendQso(s, r)) {
        case station::AppendResult::Stored:
            break;
        case station::AppendResult::LogFull:
            result.messages.push_back({kLogFull, EntryField::Call});
            return false;
        case station::AppendResult::WriteFailed:
            result.messages.push_back({kAppendFailed, EntryField::Call});
            result.dialogRed = true;
            return false;
    }
    result.storedRecords.push_back(s.log.ContactCount());
    result.updates.push_back(CountContact(s.contest.score, kind, r, s.counties, s.prefixes));
    return true;
}

// A rover's further counties get a copy of the contact just stored with CountySent set to
// each; a county where the call is already logged is skipped. The current county is entry 0
// again afterwards, also when an append fails.
void LogCountyLine(LoggingRun& s, const station::ContactRecord& stored, MainsResult& result) {
    auto& state = s.contest;
    result.relogged = true;
    for (size_t i = 1; i < state.RoverCounties.size(); ++i) {
        state.RoverRelogIndex = static_cast<int>(i);
        const std::string& county = state.RoverCounties[i];
        station::ContactRecord copy = stored;
        copy.CountySent = county;
        const EntryFields key{copy.Call, copy.RstReceived, copy.Spc, copy.County, copy.RstSent};
        if (IsHardDupe(ContextOf(s, WindowKind::InState, county), s.log, key)) continue;
        if (!Store(s, WindowKind::InState, copy, result)) break;
    }
    state.RoverRelogIndex = 0;
    s.profile.CurrentCounty = state.RoverCounties[0];
}
}  // namespace

std::string SanitizeField(std::string_view text) { return station::CleanText(text); }

const char* BandModePrompt(WindowKind kind) { return InState(kind) ? kInStatePrompt : kOutOfStatePrompt; }

bool IsLoggingBand(std::string_view band) {
    for (std::string_view b : {"160", "80", "40", "20", "15", "10", "6"})
        if (band == b) return true;
    return false;
}

bool IsLoggingMode(std::string_view mode) { return IEquals(mode, "CW") || IEquals(mode, "PH") || IEquals(mode, "DG"); }

std::optional<PostContestValues> NormalizePostContest(const std::string& date, const std::string& time,
                                                      StatusMessage& failure, std::optional<std::string>& dateSoFar) {
    const auto d = ParseQsoDate(date);
    if (!d) {
        failure = {"Invalid date format!", EntryField::None};
        return std::nullopt;
    }
    PostContestValues out;
    out.date = d->format("yyyy/mm/dd");
    dateSoFar = out.date;
    std::string t = time;
    const bool numeric = !t.empty() && t.find_first_not_of("0123456789") == std::string::npos;
    if ((t.size() == 3 || t.size() == 4) && numeric) t = t.substr(0, t.size() - 2) + ":" + t.substr(t.size() - 2);
    const auto parsed = ParseQsoTime(t);
    if (!parsed) {
        failure = {"Invalid time format!", EntryField::None};
        return std::nullopt;
    }
    out.time = parsed->format("hh:nn");
    return out;
}

station::ContactRecord RecordFromEntry(const LoggingRun& s, WindowKind kind, const EntryFields& f,
                                       const std::optional<PostContestValues>& post) {
    station::ContactRecord r;
    r.Call = f.Call;
    r.RstSent = f.RstSent;
    r.RstReceived = f.RstReceived;
    r.County = f.County;
    if (InState(kind)) {
        r.Spc = f.Country;
        r.CountySent = s.profile.CurrentCounty;
    }
    if (post) {
        r.QsoDate = post->date;
        r.QsoTime = post->time;
    } else {
        // One reading, so date and time never straddle midnight.
        const platform::DateTime utc = UtcFromLocal(s.platform.clock.localNow(), s.profile.HoursOffset);
        r.QsoDate = utc.format("yyyy/mm/dd");
        r.QsoTime = utc.format("hh:nn:ss");
    }
    r.Mode = s.profile.CurrentMode;
    r.Band = s.profile.CurrentBand;
    // A reading of another band (a rig on 160 m while logging on 40, a babbling rig that read
    // 2397.472 MHz) is no frequency of this contact.
    if (IEquals(s.contest.PendingFrequencyBand, r.Band)) r.Frequency = s.contest.PendingFrequency;
    Sanitize(r);
    return r;
}

MainsResult Mains(LoggingRun& s, WindowKind kind, const MainsInput& input) {
    MainsResult result;
    auto& state = s.contest;
    EntryFields f = input.fields;
    auto startClock = [&] {
        if (state.clock.LoggedOn) return;
        TimeOn(state.clock, s.platform.clock.localNow());
        result.clockStarted = true;
    };

    // A contact without a band or a mode would score and yet belong to no mode's count and no
    // line of the submission file: nothing happens until both are chosen, the focus stays.
    if (!IsLoggingBand(s.profile.CurrentBand) || !IsLoggingMode(s.profile.CurrentMode)) {
        result.messages.push_back({BandModePrompt(kind), EntryField::None});
        result.fields = f;
        return result;
    }

    if (!InState(kind)) startClock();
    std::optional<PostContestValues> post;
    if (input.postContest) {
        StatusMessage failure;
        post = NormalizePostContest(input.postConDate, input.postConTime, failure, result.postConDate);
        if (!post) {
            result.messages.push_back(failure);
            result.fields = f;
            return result;
        }
        result.postConDate = post->date;
        result.postConTime = post->time;
    }
    if (InState(kind)) {
        if (!IEquals(f.Country, s.profile.HomeState)) f.County.clear();
        startClock();
    }

    auto required = CheckRequiredFields(kind, f, s.profile.HomeState);
    state.MissingField = !required.empty();
    result.messages = std::move(required);
    state.BadSection = false;
    state.BadEntry = false;
    const DupeContext ctx = ContextOf(s, kind, s.profile.CurrentCounty);
    auto runDupCheck = [&] {
        HardDupe dupe = DupCheck(ctx, s.log, f);
        f = dupe.fields;
        result.countyFilled = dupe.countyFilled;
        result.countryFilled = dupe.countryFilled;
        state.DupeFlag = dupe.record != 0;
        if (state.DupeFlag) {
            state.DupeTime = s.platform.clock.localNow();
            result.messages.push_back({dupe.message, EntryField::Call});
            result.dialogRed = true;
            result.duplicate = true;
        }
    };
    auto runCountyCheck = [&] {
        if (auto bad = ValidateCounty(f.County, s.counties)) {
            state.BadEntry = true;
            result.messages.push_back(*bad);
        }
    };

    if (InState(kind)) {
        if (auto bad = ValidateSection(f.Country, s.prefixes)) {
            state.BadSection = true;
            result.messages.push_back(*bad);
        } else if (f.Country.size() == 2) {
            result.continentNA = true;
        }
        // The abbreviation is expanded before the duplicate check, so a duplicate typed as an
        // abbreviation is still found.
        if (!f.County.empty()) ExpandCounty(s, f);
        runDupCheck();
        // A duplicate has emptied the line: there is no county left to check.
        if (!f.County.empty() && !state.DupeFlag) runCountyCheck();
    } else {
        ExpandCounty(s, f);
        runCountyCheck();
        runDupCheck();
    }

    if (!state.MissingField && !state.BadSection && !state.BadEntry && !state.DupeFlag) {
        const station::ContactRecord record = RecordFromEntry(s, kind, f, post);
        if (Store(s, kind, record, result)) {
            result.stored = true;
            ForgetRigReading(state);
            if (InState(kind) && s.profile.RoverFlag == 1 && state.RoverRelogIndex == 0 &&
                state.RoverCounties.size() > 1)
                LogCountyLine(s, record, result);
        }
    }

    // A duplicate empties the line whatever else was refused with it; any other refusal, or a
    // failed append, keeps what was typed for the operator to correct.
    const bool keepLine = !result.stored && !state.DupeFlag;
    result.lineCleared = !keepLine;
    result.fields = keepLine ? f : EntryFields{};
    if (result.lineCleared) {
        result.countyFilled = result.countryFilled = false;
    }
    return result;
}

}  // namespace logging
