#include "rig/BandPlan.h"

namespace rig {

namespace {
// One row, or false when an item cannot be read (the end of the file included).
bool readRow(station::WriteFormReader& reader, BandPlanRow& row) {
    try {
        row.BandName = reader.readText();
        row.ClassLetter = reader.readText();
        row.SegmentMode = reader.readText();
        row.LowMhz = reader.readDouble();
        row.HighMhz = reader.readDouble();
        return true;
    } catch (const station::FileError&) {
        return false;
    }
}
}  // namespace

BandPlanFile ReadBandPlan(const std::string& bytes) {
    BandPlanFile file;
    station::WriteFormReader reader(bytes);
    try {
        file.EffectiveDate = reader.readVariant();
    } catch (const station::FileError&) {
        return file;
    }
    reader.skipEmptyLines();
    while (!reader.eof() && file.rows.size() < kBandPlanCapacity) {
        BandPlanRow row;
        if (!readRow(reader, row)) return file;
        file.rows.push_back(std::move(row));
        reader.skipEmptyLines();
    }
    file.complete = reader.eof();
    return file;
}

std::vector<BandPlanRow> ExtraRows(const std::string& bytes) {
    std::vector<BandPlanRow> extra;
    station::WriteFormReader reader(bytes);
    try {
        reader.readVariant();
    } catch (const station::FileError&) {
        return extra;
    }
    reader.skipEmptyLines();
    while (!reader.eof() && extra.size() < kBandPlanCapacity) {
        BandPlanRow row;
        if (!readRow(reader, row)) break;
        if (row.ClassLetter == "E") extra.push_back(std::move(row));
        reader.skipEmptyLines();
    }
    return extra;
}

std::string BandPlanMode(const std::vector<BandPlanRow>& extraRows, double mhz) {
    for (const auto& row : extraRows) {
        if (!(row.LowMhz < mhz && mhz < row.HighMhz)) continue;
        if (row.BandName == "160") return {};
        if (row.SegmentMode != "PH") return row.SegmentMode;
        if (row.BandName == "80" || row.BandName == "40") return "LSB";
        return "USB";
    }
    return {};
}

const std::vector<ModeSegment>& ModeByFrequencyTable() {
    static const std::vector<ModeSegment> table = {
        {3.5, 3.6, "CW"},       {3.6, 4.0, "PH"},       {7.0, 7.125, "CW"},   {7.125, 7.3, "PH"},
        {10.1, 10.15, "CW"},    {14.0, 14.15, "CW"},    {14.15, 14.35, "PH"}, {18.068, 18.11, "CW"},
        {18.11, 18.168, "PH"},  {21.0, 21.2, "CW"},     {21.2, 21.45, "PH"},  {24.89, 24.93, "CW"},
        {24.93, 24.99, "PH"},   {28.0, 28.3, "CW"},     {28.3, 29.7, "PH"},   {50.0, 50.1, "CW"},
        {50.1, 54.0, "PH"},     {144.0, 144.1, "CW"},   {144.1, 148.0, "PH"},
    };
    return table;
}

std::optional<std::string> ModeByFrequency(double mhz) {
    std::optional<std::string> mode;
    for (const auto& s : ModeByFrequencyTable()) {
        if (s.lower < mhz && mhz < s.upper) mode = s.mode;
    }
    return mode;
}

}  // namespace rig
