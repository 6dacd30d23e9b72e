#include "logging/Validation.h"

#include "logging/Scoring.h"
#include "logging/StateTable.h"
#include "logging/Text.h"

namespace logging {

std::vector<StatusMessage> CheckRequiredFields(WindowKind kind, const EntryFields& f, std::string_view homeState) {
    const bool in = kind == WindowKind::InState;
    std::vector<StatusMessage> out;
    if (f.County.empty() && (!in || IEquals(f.Country, homeState)))
        out.push_back({"Need County!", EntryField::County});
    if (f.RstReceived.empty()) out.push_back({"Report Received!", EntryField::RstReceived});
    if (f.Call.size() < 3) out.push_back({"Need Call Sign!", EntryField::Call});
    // "Not Found" is what the prefix lookup leaves when it knows no country: no exchange.
    if (in && (f.Country.empty() || IEquals(f.Country, "Not Found")))
        out.push_back({"Need Country!", EntryField::Country});
    if (f.RstSent.empty()) out.push_back({"Need Report Sent!", EntryField::RstSent});
    return out;
}

std::optional<StatusMessage> ValidateSection(std::string_view country, const station::PrefixTable& countries) {
    if (country.empty() || IEquals(country, "Not Found")) return std::nullopt;
    if (country.size() == 2) {
        if (StateIndex(country)) return std::nullopt;
        return StatusMessage{"Invald Section!", EntryField::Country};
    }
    if (countries.rows.empty() || IsCountryName(countries, country)) return std::nullopt;
    return StatusMessage{std::string(country) + " is not a valid country!", EntryField::Country};
}

std::optional<StatusMessage> ValidateCounty(std::string_view county, const station::CountyTable& counties) {
    if (CountyIndex(counties, county)) return std::nullopt;
    return StatusMessage{std::string(county) + " is not a valid county!", EntryField::County};
}

Validation ValidateEntry(WindowKind kind, const EntryFields& f, std::string_view homeState,
                         const station::CountyTable& counties, const station::PrefixTable& countries) {
    Validation v;
    v.messages = CheckRequiredFields(kind, f, homeState);
    v.MissingField = !v.messages.empty();
    if (kind == WindowKind::InState) {
        if (auto bad = ValidateSection(f.Country, countries)) {
            v.BadSection = true;
            v.messages.push_back(*bad);
        } else if (f.Country.size() == 2) {
            v.continentNA = true;
        }
    }
    if (kind == WindowKind::OutOfState || !f.County.empty()) {
        if (auto bad = ValidateCounty(f.County, counties)) {
            v.BadEntry = true;
            v.messages.push_back(*bad);
        }
    }
    return v;
}

}  // namespace logging
