#include "rig/RigSettings.h"

#include "station/WriteForm.h"

namespace rig {

namespace {
std::string trimRight(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

std::string fiveCharacters(std::string s) {
    s.resize(5, ' ');
    return s;
}
}  // namespace

RigSettings DesignSettings() { return RigSettings{}; }

std::string CommSettingsText(const RigSettings& s) {
    return trimRight(s.BaudText) + "," + s.ParityLetter + "," + s.DataBitsText + "," + s.StopBitsText;
}

std::optional<int> PollIntervalMs(const std::string& pollRate) {
    if (pollRate == "F") return 50;
    if (pollRate == "M") return 250;
    if (pollRate == "S") return 1000;
    if (pollRate == "R") return 5000;
    return std::nullopt;
}

void ApplyRigTypeRow(RigSettings& s, const RigTypeRow& row) {
    s.FreqReadString.clear();
    s.ModeReadString.clear();
    s.ConvertToHex = false;
    s.ConvertFromHex = false;
    if (!row.setsReadStrings) return;
    if (!row.serial.baud.empty()) s.BaudText = row.serial.baud;
    if (!row.serial.parity.empty()) s.ParityLetter = row.serial.parity;
    if (!row.serial.data.empty()) s.DataBitsText = row.serial.data;
    if (!row.serial.stop.empty()) s.StopBitsText = row.serial.stop;
    s.FreqReadString = row.freqReadString;
    s.ModeReadString = row.modeReadString;
    s.ConvertToHex = row.convertToHex;
    s.ConvertFromHex = row.convertToHex;
}

RigCntrlRead ReadRigCntrl(const std::string& bytes, RigSettings& into) {
    RigCntrlRead r;
    station::WriteFormReader reader(bytes);
    try {
        into.BaudText = trimRight(fiveCharacters(reader.readText()));
        ++r.itemsRead;
        for (std::string* field : {&into.ParityLetter, &into.DataBitsText, &into.StopBitsText, &into.ModeReadString,
                                   &into.FreqReadString, &into.CommSettings}) {
            *field = reader.readText();
            ++r.itemsRead;
        }
        r.portInFile = reader.readByte();
        into.RigPort = r.portInFile;
        ++r.itemsRead;
        into.PowerLine = reader.readText();
        ++r.itemsRead;
        into.PollRate = reader.readText();
        ++r.itemsRead;
        r.rigType = reader.readText();
        ++r.itemsRead;
        const int16_t toHex = reader.readInt16();
        const int16_t useFrequency = reader.readInt16();
        const int16_t modeBy = reader.readInt16();
        r.itemsRead = 14;
        into.ConvertToHex = toHex != 0;
        into.ConvertFromHex = into.ConvertToHex;
        into.UseFrequency = useFrequency != 0;
        if (modeBy >= 1 && modeBy <= 3) into.modeBy = static_cast<ModeBy>(modeBy);
    } catch (const station::FileError&) {
    }
    return r;
}

std::string WriteRigCntrl(const RigSettings& s, const std::string& rigType) {
    using station::WriteFormLine;
    std::string out;
    // Padded after cleaning, so the item keeps its five characters.
    out += WriteFormLine().text(fiveCharacters(station::CleanText(s.BaudText))).line();
    for (const std::string* field : {&s.ParityLetter, &s.DataBitsText, &s.StopBitsText, &s.ModeReadString,
                                     &s.FreqReadString, &s.CommSettings})
        out += WriteFormLine().text(*field).line();
    out += WriteFormLine().integer(s.RigPort).line();
    out += WriteFormLine().text(s.PowerLine).line();
    out += WriteFormLine().text(s.PollRate).line();
    out += WriteFormLine().text(rigType).line();
    out += WriteFormLine().integer(s.ConvertToHex ? 1 : 0).line();
    out += WriteFormLine().integer(s.UseFrequency ? 1 : 0).line();
    out += WriteFormLine().integer(static_cast<int>(s.modeBy)).line();
    return out;
}

}  // namespace rig
