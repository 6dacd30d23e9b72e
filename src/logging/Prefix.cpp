#include "logging/Prefix.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "logging/Scoring.h"
#include "logging/Text.h"

namespace logging {

namespace {
constexpr double kDeg = 57.29577951;
constexpr double kMilesPerRadian = 3955.75791314991;

char Fold(char c, bool caseSensitive) { return caseSensitive ? c : FoldCase(c); }

bool StartsWith(std::string_view w, std::string_view p, bool caseSensitive) {
    if (w.size() < p.size()) return false;
    for (size_t i = 0; i < p.size(); ++i)
        if (Fold(w[i], caseSensitive) != Fold(p[i], caseSensitive)) return false;
    return true;
}

// First character of row i's prefix (1-based), 0 for an empty prefix or a row past the table.
unsigned char First(const station::PrefixTable& t, int i, bool caseSensitive) {
    if (i < 1 || i > t.PrefixCount()) return 0;
    const auto& p = t.rows[static_cast<size_t>(i - 1)].Prefix;
    return p.empty() ? 0 : static_cast<unsigned char>(Fold(p[0], caseSensitive));
}

bool IsUsaOrCanada(std::string_view country) { return IEquals(country, "USA") || IEquals(country, "Canada"); }

std::string NumberText(double value, bool grouped) {
    if (std::round(value) < 1) return " ";  // no digits below 0.5
    return (grouped ? FormatGrouped(value) : std::to_string(std::llround(value))) + " ";
}
}  // namespace

std::string SlashRule(std::string_view call) {
    const size_t slash = call.find('/');
    if (slash == std::string_view::npos) return std::string(call);
    const size_t n = call.size() - slash - 1;
    if (n > 1 && static_cast<double>(n) < static_cast<double>(call.size()) / 2.0)
        return std::string(call.substr(call.size() - n));
    return std::string(call);
}

PrefixMatch SearchPrefix(const station::PrefixTable& table, std::string_view w, bool caseSensitive) {
    PrefixMatch best;
    const int count = table.PrefixCount();
    if (w.empty() || count == 0) return best;
    const unsigned char w0 = static_cast<unsigned char>(Fold(w[0], caseSensitive));
    const int c = std::max<int>(w0, 65);
    int s = static_cast<int>(std::floor(static_cast<double>(count) * (c - 64) / 26.0));
    s = std::clamp(s, 1, count);  // a first character past "Z" would start beyond the table
    while (s > 1 && First(table, s, caseSensitive) == w0) s = std::max(1, s - 5);
    const bool down = First(table, s, caseSensitive) > w0;
    size_t bestLen = 0;
    for (int i = s; down ? i >= 1 : i <= count; i += down ? -1 : 1) {
        const auto& row = table.rows[static_cast<size_t>(i - 1)];
        if (!row.Prefix.empty() && row.Prefix.size() > bestLen && StartsWith(w, row.Prefix, caseSensitive)) {
            best.row = i;
            best.country = row.Country;
            bestLen = row.Prefix.size();
        }
        const unsigned char p0 = First(table, i, caseSensitive);
        if (down ? p0 < w0 : p0 > w0) break;
    }
    return best;
}

std::string LookupCountry(const station::PrefixTable& table, std::string_view call) {
    const std::string w = SlashRule(call);
    if (w.empty()) return {};
    const PrefixMatch m = SearchPrefix(table, w, true);
    if (!m.row) return {};
    if (w.rfind("KG4", 0) == 0 && w.size() > 5) return "USA";
    return m.country;
}

namespace {
// True when the target is the own point or its antipode (to within about 6 metres): no
// bearing exists there, and the formula below, fed a cosine rounded just short of +-1, would
// still produce one. Measured with the haversine, which stays exact for nearby points.
bool OwnPointOrAntipode(double phiS, double lamS, double phi, double lam) {
    constexpr double kTolerance = 1e-6;  // radians
    const double r = 1 / kDeg;
    const double sinLat = std::sin((phi - phiS) * r / 2), sinLon = std::sin((lam - lamS) * r / 2);
    const double h = sinLat * sinLat + std::cos(phiS * r) * std::cos(phi * r) * sinLon * sinLon;
    const double angle = 2 * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0)));
    return angle < kTolerance || angle > std::numbers::pi - kTolerance;
}
}  // namespace

std::optional<BearingDistance> ComputeBearingDistance(double phiS, double lamS, double phi, double lam) {
    const double k = kDeg;
    if (OwnPointOrAntipode(phiS, lamS, phi, lam)) return std::nullopt;
    const double cosC = std::sin(phiS / k) * std::sin(phi / k) + std::cos(phi / k) * std::cos(phiS / k) * std::cos((lamS - lam) / k);
    const double rootC = 1 - cosC * cosC;
    if (!(rootC > 0)) return std::nullopt;  // rounding at or past +-1
    const double angle = std::atan(-cosC / std::sqrt(rootC)) + 2 * std::atan(1.0);
    const double sinC = std::sin(angle);
    const double denom = std::cos(phiS / k) * sinC;
    if (denom == 0 || !std::isfinite(denom)) return std::nullopt;
    const double x = (std::sin(phi / k) - cosC * std::sin(phiS / k)) / denom;
    const double rootX = 1 - x * x;
    if (!(rootX > 0)) return std::nullopt;  // due north or south of a rounding edge
    const double a = std::atan(-x / std::sqrt(rootX)) + 2 * std::atan(1.0);
    const double bearing = std::sin((lamS - lam) / k) > 0 ? a * k : 360 - a * k;
    const double miles = angle * kMilesPerRadian;
    if (!std::isfinite(bearing) || !std::isfinite(miles)) return std::nullopt;
    return BearingDistance{bearing, miles};
}

GeoTexts ShowBearingDistance(double stationLat, double stationLon, double lat, double lon) {
    auto bd = ComputeBearingDistance(stationLat, stationLon, lat, lon);
    if (!bd) return {};
    return {NumberText(bd->bearing, false), NumberText(bd->miles, true)};
}

PrefixLookup LookupPrefix(const station::PrefixTable& table, std::string_view call,
                          std::string_view currentCountry, const StationPosition& station) {
    PrefixLookup out;
    const std::string w = SlashRule(call);
    if (w.empty()) {
        out.writeLabels = IEquals(currentCountry, "Not Found");
        return out;
    }
    PrefixMatch m = SearchPrefix(table, w, false);
    if (m.row && IsUsaOrCanada(m.country)) m.row = 0;
    if (m.row) {
        int ref = m.row;
        std::string country = m.country;
        if (IStartsWith(call, "KG4") && (call.size() == 4 || call.size() > 5)) {
            country.clear();
            ref = 0;
            for (int i = 1; i <= table.PrefixCount(); ++i)
                if (IEquals(table.rows[static_cast<size_t>(i - 1)].Country, "USA")) {
                    ref = i;
                    break;
                }
        }
        if (IEquals(country, "Alaska")) country = "AK";
        else if (IEquals(country, "Hawaii")) country = "HI";
        out.countryText = country;
        if (ref) {
            const auto& row = table.rows[static_cast<size_t>(ref - 1)];
            out.continent = row.Continent;
            out.geo = ShowBearingDistance(station.latitude, station.longitude, row.Latitude, row.Longitude);
        }
    } else {
        if (!IsUsaOrCanada(m.country)) {
            out.countryText = "Not Found";
        } else {
            // A "Not Found" left by the first letters of this call is stale now: the operator
            // types the state or province.
            if (IEquals(currentCountry, "Not Found")) out.countryText = "";
            out.continent = "NA";
        }
    }
    const std::string_view finalText = out.countryText ? std::string_view(*out.countryText) : currentCountry;
    if (IEquals(finalText, "Not Found")) {
        out.continent.clear();
        out.geo = {};
    }
    return out;
}

bool IsNewCountry(WindowKind kind, std::string_view text, const DxWorkedLists& dx, std::string_view currentMode,
                  const station::PrefixTable& countries) {
    if (!IsDxCountry(text, countries)) return false;
    if (kind == WindowKind::OutOfState) return true;
    const int list = DxListOfMode(currentMode);
    if (list < 0) return true;
    for (const auto& entry : dx.lists[static_cast<size_t>(list)])
        if (IEquals(entry, text)) return false;
    return true;
}

CountryChange CountryChanged(WindowKind kind, std::string_view text, std::string_view homeState,
                             const station::StateCoordTable& coords, const DxWorkedLists& dx,
                             std::string_view currentMode, const StationPosition& station,
                             const station::PrefixTable& countries) {
    CountryChange out;
    out.countyCaptionEnabled = kind == WindowKind::InState && IEquals(text, homeState);
    if (text.size() == 2) {
        const size_t rows = std::min<size_t>(coords.rows.size(), 54);
        for (size_t i = 0; i < rows; ++i) {
            if (IEquals(coords.rows[i].Abbrev, text)) {
                out.geo = ShowBearingDistance(station.latitude, station.longitude, coords.rows[i].Latitude,
                                              coords.rows[i].Longitude);
                break;
            }
        }
    }
    out.newVisible = IsNewCountry(kind, text, dx, currentMode, countries);
    return out;
}

}  // namespace logging
