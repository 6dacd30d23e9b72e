#include "spots/SpotSetupRules.h"

#include <cctype>

namespace spots {

namespace {
std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

const std::string kBreak = "\r\n\r\n";

const char* const kGeneral[] = {
    "Use this form to configure your DX spotting options.  After you make your selections, a list or band map will "
    "display on the main form (as selected here) to keep you updated on the latest packet spots.",
    "The list will show the last 2-3 posts on the main form depending on your screen size.  The band map will "
    "display the prefixes posted for your current band.  To see the whole call and frequency, move your mouse over "
    "the prefix and observe either the tool tip or the Possible Duplicates box.",
    "The program keeps the last 50 DX posts regardless of band in memory. Your band map will cycle through these "
    "posts as they are received.  Posts received within the last 10 minutes will be yellow; posts 10-30 minutes old "
    "will be white and posts 30-60 minutes old will be gray.",
    "If you are using the program's rig control features, you can right click any spot displayed on the main form's "
    "band map or HF spectrum map to tune your rig to the spot frequency. Right clicking will not change frequency "
    "when displaying the DX spots in list mode.",
};
const char* const kTelnet =
    "If you have an Internet connection (either telephone line or high speed), the Telnet option is very easy to "
    "implement.  Just connect to the Internet by your regular ISP and click Open on this form.  Type your call sign "
    "when prompted and press enter.";
const char* const kTnc[] = {
    "To use a Packet TNC, you will have to check your modem documentation for the proper serial port settings.  Use "
    "either Crtl C or the Esc key to send the Hex character to put your TNC in command mode (you do not have to "
    "press enter to send the Hex character).  Otherwise, just type and press enter to send text.",
    "One nice feature with the packet option is that you don't actually have to connect to another packet station.  "
    "Just click the DX Only check box so that only packets identified as DX will be displayed.  As long as DX posts "
    "are being transmitted the software will check recent posts to eliminate duplicate posts.  Even if you are "
    "connected, it is a good idea to check this box to eliminate miscellaneous comments, etc.",
};
const char* const kClosing[] = {
    "When you have configured your DX spotting options, click Open to initiate the communication.  Then click Done "
    "to return to the main form.",
    "If the list is being displayed on the main form, you can click on it to quickly return to this form.  To "
    "return the main form to the original display, select None from the spotting options.",
};
const char* const kCredit =
    "This code was developed and tested with a Kantronics KPC3+ TNC.  I look forward to hearing about your "
    "experiences with different hardware.";

std::vector<std::string> packetEngine() {
    return {
        "This program will also interface with the AGW Packet Engine.  The AGW Packet engine will interface with your "
        "existing sound card (or TNC including Baypac) to send and receive Packet.  To use the AGW Packet Engine:",
        std::string("- Download the freely available software from ") + kAgwDownloadAddress,
        "The file to download is AGWPE.zip.  Instructions for use are on this website as well.",
        "- Run the Packet Engine software and configure it as described on the AGW Packet Engine website for your sound "
        "card or TNC.",
        "- Click Open from this program.",
        "To send a connect request using the AGW packet engine, type in the format of",
        std::string(":C ") + kExampleCall + "     or to disconnect :D",
        "and press enter (you can also use the Esc key to add a colon).",
    };
}
}  // namespace

SpotSourceKind SourceKind(const std::string& source) {
    const std::string s = lower(source);
    if (s == "tnc") return SpotSourceKind::Tnc;
    if (s == "telnet") return SpotSourceKind::Telnet;
    if (s == "agw packet engine") return SpotSourceKind::Agw;
    return SpotSourceKind::None;
}

Switch EnableSwitch(EnableStep step, ControlGroup group) {
    using G = ControlGroup;
    switch (step) {
        case EnableStep::DisableAll: return group == G::Status ? Switch::Keep : Switch::Off;
        case EnableStep::Tnc:
            return group == G::Telnet || group == G::ConvToHex ? Switch::Keep : Switch::On;
        case EnableStep::Telnet:
            return group == G::Display || group == G::Send || group == G::Telnet ? Switch::On : Switch::Keep;
        case EnableStep::Agw: return group == G::Display || group == G::Send ? Switch::On : Switch::Keep;
    }
    return Switch::Keep;
}

std::optional<EnableStep> EnableStepFor(SpotSourceKind kind) {
    switch (kind) {
        case SpotSourceKind::Tnc: return EnableStep::Tnc;
        case SpotSourceKind::Telnet: return EnableStep::Telnet;
        case SpotSourceKind::Agw: return EnableStep::Agw;
        case SpotSourceKind::None: break;
    }
    return std::nullopt;
}

std::string SetupHelpText(const std::optional<std::string>& selectedItem) {
    if (!selectedItem) return {};
    std::vector<std::string> paragraphs;
    auto add = [&](const std::vector<std::string>& more) { paragraphs.insert(paragraphs.end(), more.begin(), more.end()); };
    const std::vector<std::string> general(std::begin(kGeneral), std::end(kGeneral));
    const std::vector<std::string> tnc(std::begin(kTnc), std::end(kTnc));
    const std::vector<std::string> closing(std::begin(kClosing), std::end(kClosing));
    switch (SourceKind(*selectedItem)) {
        case SpotSourceKind::None:
            add(general);
            add({kTelnet});
            add(tnc);
            add(packetEngine());
            add(closing);
            add({kCredit});
            break;
        case SpotSourceKind::Tnc:
            add(tnc);
            add(closing);
            add({kCredit});
            break;
        case SpotSourceKind::Telnet:
            add({kTelnet});
            add(closing);
            break;
        case SpotSourceKind::Agw:
            add(packetEngine());
            add(closing);
            add({kCredit});
            break;
    }
    std::string text;
    for (const auto& p : paragraphs) text += p + kBreak;
    return text;
}

std::optional<std::string> SendBoxCaption(SpotSourceKind kind) {
    switch (kind) {
        case SpotSourceKind::Tnc: return "Send text  (Ctrl C or Esc for TNC Command mode):";
        case SpotSourceKind::Telnet: return "Type text to send and press enter:";
        case SpotSourceKind::Agw:
            return std::string("Send text (use : to send cmds such as :C ") + kExampleCall + " or :D)";
        case SpotSourceKind::None: break;
    }
    return std::nullopt;
}

std::string TncSettingsText(const std::string& baud, const std::string& parity, const std::string& dataBits,
                            const std::string& stopBits) {
    std::string b = baud;
    while (!b.empty() && b.back() == ' ') b.pop_back();
    return b + "," + parity + "," + dataBits + "," + stopBits;
}

std::optional<TncHandshakePlan> TncHandshakeFor(int tncHandshake) {
    switch (tncHandshake) {
        case 1: return TncHandshakePlan{platform::Handshake::None, false};
        case 2: return TncHandshakePlan{platform::Handshake::XonXoff, false};
        case 3: return TncHandshakePlan{platform::Handshake::RtsCts, true};
        case 4: return TncHandshakePlan{platform::Handshake::RtsCtsXonXoff, true};
        default: return std::nullopt;
    }
}

std::optional<char> TncCommandCharacter(const std::string& hexText) {
    std::string t = hexText;
    while (!t.empty() && t.front() == ' ') t.erase(t.begin());
    while (!t.empty() && t.back() == ' ') t.pop_back();
    if (t.empty() || t.size() > 2) return std::nullopt;
    int value = 0;
    for (char c : t) {
        const int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                      : std::isxdigit(static_cast<unsigned char>(c))
                          ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                          : -1;
        if (d < 0) return std::nullopt;
        value = value * 16 + d;
    }
    return static_cast<char>(value);
}

SpotLastText SpotLast(const std::string& lastCall) {
    return {"DX Frequency in kHz " + lastCall, 3, 16};
}

}  // namespace spots
