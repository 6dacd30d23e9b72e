#pragma once
// The two logging windows share one design and one set of handlers; this profile holds every
// text and switch in which the in-state window differs from the out-of-state one.

#include <string>

namespace window {

enum class WindowKind { InState, OutOfState };

struct WindowProfile {
    WindowKind kind;
    const char* formName;          // "Infrm" / "Outfrm"
    const char* prompt;            // first text of the status line
    const char* keyboardCwText;    // status text while keyboard CW is on
    const char* digitalCaption;    // caption of the third (switched off) Mode item
    bool hasStateGrid;             // Label10 1..67 under the call-area headings
    bool hasCountyChangeItem;      // "Cha&nge County" on the menu bar
    bool hasSetupItem;             // "&Setup" (switched off) on the menu bar
    bool colorsAvailable;          // Options > Appearance > "&Colors"
    bool followsOwnCounty;         // Label25 shows the own county and feeds the CW county macro
    bool reportLengthFollowsModeAtLoad;
    bool recomputesEntryOnSwitch;  // txtCntry_Change after a band or CW/PH change
};

const WindowProfile& ProfileFor(WindowKind kind);
// The live window for a profile's OutOfState flag.
inline WindowKind KindFor(int outOfState) { return outOfState ? WindowKind::OutOfState : WindowKind::InState; }

}  // namespace window
