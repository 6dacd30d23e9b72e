#include "keying/CwMacros.h"

#include "logging/Text.h"

namespace keying {

std::string CntyAbbCW(const std::string& county, const station::CountyTable& counties) {
    if (county.empty()) return county;
    for (const auto& row : counties.rows) {
        if (!logging::IEquals(row.Name, county)) continue;
        if (!row.Abbrev.empty() && row.Abbrev.size() < county.size()) return row.Abbrev;
        return county;
    }
    return county;
}

std::string ExpandCwMacros(std::string_view message, MacroSources& s, const station::CountyTable& counties) {
    if (message.find('*') != std::string_view::npos && (s.CWRstSent == "599" || s.CWRstSent.empty()))
        s.CWRstSent = "5NN";
    std::string out;
    out.reserve(message.size() + 16);
    for (char c : message) {
        switch (c) {
        case '$': out += logging::Trim(s.CWCall); break;
        case '#': out += logging::Trim(s.CWNum); break;
        case '*': out += logging::Trim(s.CWRstSent); break;
        case '^': out += logging::Trim(CntyAbbCW(s.CWCounty, counties)); break;
        case '"': break;
        default: out.push_back(c);
        }
    }
    // A value may hold a quote too (a report typed with one); no message ever carries it.
    std::erase(out, '"');
    return out;
}

}  // namespace keying
