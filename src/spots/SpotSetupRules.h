#pragma once
// The rules of the spotting setup window that are not about its widgets: the source names,
// which controls each source enables (a table), the help text per source, the send box's
// caption, the TNC's serial plan, and the Spot Last announcement.

#include <optional>
#include <string>
#include <vector>

#include "platform/SerialLine.h"

namespace spots {

// The list's items, in order.
inline const std::vector<std::string> kSpotSourceItems = {"None", "TNC", "Telnet", "AGW Packet Engine"};

enum class SpotSourceKind { None, Tnc, Telnet, Agw };
// The source a text names, ignoring letter case. Empty or unknown text is "None": nothing can
// be opened for it, and the logging window shows no spot panel.
SpotSourceKind SourceKind(const std::string& source);

// An example call in the AGW texts.
inline constexpr const char* kExampleCall = "W1AW";
// Where the AGW Packet Engine is downloaded.
inline constexpr const char* kAgwDownloadAddress = "https://www.sv2agw.com/downloads/";

// Groups of controls switched together.
enum class ControlGroup {
    Display,   // Frame2, OptList, OptBand, chkDX
    Send,      // txtSent, Label6, Command1, Command2
    TncHex,    // txtHex, Label2
    Serial,    // fraPort, fraBaud, fraParity, fraData, fraStop, fraPower, Frame1 and their buttons
    Status,    // Label1, Label4
    Telnet,    // txtTelnetHost, txtTelnetPort, Label7, Label3
    ConvToHex, // chkConvToHex
};
enum class Switch { Off, On, Keep };
enum class EnableStep { DisableAll, Tnc, Telnet, Agw };
// What one enabling procedure does to a group.
Switch EnableSwitch(EnableStep step, ControlGroup group);
inline const std::vector<ControlGroup> kControlGroups = {ControlGroup::Display, ControlGroup::Send,
                                                          ControlGroup::TncHex,  ControlGroup::Serial,
                                                          ControlGroup::Status,  ControlGroup::Telnet,
                                                          ControlGroup::ConvToHex};
// The enabling procedure of a source after DisableAll; nullopt for "None".
std::optional<EnableStep> EnableStepFor(SpotSourceKind kind);

// The help shown in the receive display for the selected item (nullopt: no item selected).
std::string SetupHelpText(const std::optional<std::string>& selectedItem);

// The send box's caption for a source; nullopt for "None" (the caption stays).
std::optional<std::string> SendBoxCaption(SpotSourceKind kind);

// The TNC's serial settings text: baud without trailing blanks, then parity, data and stop bits.
std::string TncSettingsText(const std::string& baud, const std::string& parity, const std::string& dataBits,
                            const std::string& stopBits);
// Handshake 1..4 as the port takes it: None, XON/XOFF, RTS/CTS, both; RTS enabled for 3 and 4.
struct TncHandshakePlan {
    platform::Handshake handshake;
    bool rtsEnabled;
};
std::optional<TncHandshakePlan> TncHandshakeFor(int tncHandshake);

// The command-mode character from txtHex ("03" gives character 3); nullopt when the text is
// not a hexadecimal number of one byte.
std::optional<char> TncCommandCharacter(const std::string& hexText);

// Spot Last: the announcement with the place for the frequency selected (start, length).
struct SpotLastText {
    std::string text;
    int selectStart;
    int selectLength;
};
SpotLastText SpotLast(const std::string& lastCall);

}  // namespace spots
