#pragma once
// Registers the voice keyer, voice navigation and WinKey windows with the logging window's
// tool-window registry.

namespace keying::ui {
void RegisterVoiceAndWinKeyWindows();
}
