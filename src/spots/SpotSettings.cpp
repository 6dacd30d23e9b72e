#include "spots/SpotSettings.h"

#include <cmath>

#include "session/Session.h"
#include "station/WriteForm.h"

namespace spots {

using station::FileError;
using station::Variant;
using station::WriteFormLine;
using station::WriteFormReader;

namespace {
// A check-box state read from any value: a number, a truth value or text that is a number.
int asCheck(const Variant& v) {
    switch (v.kind) {
        case Variant::Kind::Number: return v.number != 0 ? 1 : 0;
        case Variant::Kind::Bool: return v.flag ? 1 : 0;
        case Variant::Kind::Text: {
            double n = 0;
            return station::parseNumber(v.text, n) && n != 0 ? 1 : 0;
        }
        case Variant::Kind::Empty: break;
    }
    return 0;
}

bool asTruth(const Variant& v) {
    if (v.kind == Variant::Kind::Text) {
        std::string t;
        for (char c : v.text) t.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        if (t == "true" || t == "#true#") return true;
        if (t == "false" || t == "#false#") return false;
    }
    return asCheck(v) != 0;
}

// Any value as the text a text box would show for it.
std::string asText(const Variant& v) {
    switch (v.kind) {
        case Variant::Kind::Text: return v.text;
        case Variant::Kind::Number: return station::formatDouble(v.number);
        case Variant::Kind::Bool: return v.flag ? "True" : "False";
        case Variant::Kind::Empty: break;
    }
    return {};
}
}  // namespace

PackSpotRead ParsePackSpot(const std::string& bytes, const PackSpotSettings& defaults) {
    PackSpotRead r{defaults, 0};
    PackSpotSettings& s = r.values;
    WriteFormReader in(bytes);
    try {
        s.TncBaud = in.readText();
        ++r.items;
        s.TncParity = in.readText();
        ++r.items;
        s.TncDataBits = in.readText();
        ++r.items;
        s.TncStopBits = in.readText();
        ++r.items;
        s.TncPort = in.readByte();
        ++r.items;
        s.TncPower = in.readText();
        ++r.items;
        s.SpotSource = in.readText();
        ++r.items;
        s.ConvToHex = asCheck(in.readVariant());
        ++r.items;
        s.TncHandshake = in.readByte();
        ++r.items;
        s.ListDxOnly = asCheck(in.readVariant());
        ++r.items;
        s.OptList = asTruth(in.readVariant());
        ++r.items;
        s.Hex = asText(in.readVariant());
        ++r.items;
        s.TelnetPort = asText(in.readVariant());
        ++r.items;
        s.TelnetHost = asText(in.readVariant());
        ++r.items;
    } catch (const FileError&) {
    }
    return r;
}

std::string FormatPackSpot(const PackSpotSettings& s) {
    std::string out;
    out += WriteFormLine().text(s.TncBaud).line();
    out += WriteFormLine().text(s.TncParity).line();
    out += WriteFormLine().text(s.TncDataBits).line();
    out += WriteFormLine().text(s.TncStopBits).line();
    out += WriteFormLine().integer(s.TncPort).line();
    out += WriteFormLine().text(s.TncPower).line();
    out += WriteFormLine().text(s.SpotSource).line();
    out += WriteFormLine().integer(s.ConvToHex).line();
    out += WriteFormLine().integer(s.TncHandshake).line();
    out += WriteFormLine().integer(s.ListDxOnly).line();
    out += WriteFormLine().boolean(s.OptList).line();
    out += WriteFormLine().text(s.Hex).line();
    out += WriteFormLine().text(s.TelnetPort).line();
    out += WriteFormLine().text(s.TelnetHost).line();
    return out;
}

PackSpotRead LoadPackSpot(Session& session, const PackSpotSettings& defaults) {
    auto bytes = session.platform.files.readAll(session.programFile(kPackSpotFile));
    if (!bytes) return {defaults, 0};
    return ParsePackSpot(*bytes, defaults);
}

bool SavePackSpot(Session& session, const PackSpotSettings& settings) {
    return session.platform.files.writeAtomic(session.programFile(kPackSpotFile), FormatPackSpot(settings));
}

AgwEngineAddress ParseAgwEngine(const std::string& bytes) {
    AgwEngineAddress a;
    WriteFormReader in(bytes);
    try {
        // Cleaned as the writer cleans it, so the host used is the host that will be saved.
        std::string host = station::CleanText(in.readText());
        if (!host.empty()) a.host = host;
        const double port = in.readDouble();
        if (port >= 1 && port <= 65535 && port == std::floor(port)) a.port = static_cast<int>(port);
    } catch (const FileError&) {
    }
    return a;
}

std::string FormatAgwEngine(const AgwEngineAddress& a) {
    return WriteFormLine().text(a.host).line() + WriteFormLine().integer(a.port).line();
}

AgwEngineAddress LoadAgwEngine(Session& session) {
    auto bytes = session.platform.files.readAll(session.programFile(kAgwEngineFile));
    return bytes ? ParseAgwEngine(*bytes) : AgwEngineAddress{};
}

bool SaveAgwEngine(Session& session, const AgwEngineAddress& address) {
    return session.platform.files.writeAtomic(session.programFile(kAgwEngineFile), FormatAgwEngine(address));
}

}  // namespace spots
