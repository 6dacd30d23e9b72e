#pragma once
// The keyer windows' part of the program: registers the CW settings window with the tool-window
// registry (the logging window's "&CW Setup", Ctrl+C and Ctrl+S open it) and lets the CW keyer
// show it modally when a keying port cannot be opened.

class Session;

namespace keying::ui {

void RegisterKeyerWindows(Session& session);

}  // namespace keying::ui
