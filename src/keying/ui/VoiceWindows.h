#pragma once
// Registers the voice keyer, voice navigation and WinKey windows with the logging window's
// tool-window registry, and lets the session's voice keyer and WinKey keyer reach their
// windows (an invalid PTT port shows the voice keyer's window; choosing WinKey as the CW
// interface loads the WinKey window hidden).

class Session;

namespace keying::ui {
void RegisterVoiceAndWinKeyWindows(Session& session);
}
