#pragma once
// The telnet source's error texts, by their Winsock error numbers (10061 for a refused
// connect), and the number each failure of the TCP client service is given.

#include <optional>
#include <string>

#include "platform/TcpClient.h"

namespace spots {

// The text for an error number; "Error number N" for a number the table lacks.
std::string TelnetErrorText(int number);
// The error number a failure of the TCP client stands for.
int TelnetErrorNumber(platform::TcpError error);

// The port text of txtTelnetPort as a number, as a whole-number conversion reads it: blanks
// around it allowed, a fraction rounded half to even; nullopt when it is not a number or does
// not fit 32 bits.
std::optional<int32_t> TelnetPortNumber(const std::string& text);

// Shown, and "Listening" ended, when the server closes the connection.
inline constexpr const char* kTelnetClosedByServer = "** Connection closed by the server **";
// Shown when the port text is not a number (the connect then stops before it starts).
std::string TelnetBadPortNote(const std::string& portText);

}  // namespace spots
