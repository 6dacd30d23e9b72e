#pragma once
// Window scaling: every window is laid out for a reference screen of 9600 x 7200 twips and is
// scaled to the real screen before it is first shown. This is the arithmetic; the Qt side reads
// a window's geometry into these structs and writes the results back.

#include <functional>
#include <set>
#include <vector>

namespace station {

enum class ControlKind { Label, TextBox, CommandButton, CheckBox, OptionButton, Frame, ListBox, ComboBox, Image,
                         ListView, Line, Other };

struct ControlGeometry {
    ControlKind kind = ControlKind::Other;
    double left = 0, top = 0, width = 0, height = 0;  // twips; for a line: X1, Y1, X2 - X1, Y2 - Y1
    double fontSize = 0;                              // points
    std::vector<double> columnWidths;                 // list view column headers, twips
};

struct FormGeometry {
    double left = 0, top = 0, width = 0, height = 0;  // outer size, twips
    double fontSize = 0;
    // Outer size less the client area (title bar and borders), twips.
    double frameWidth = 0, frameHeight = 0;
    std::vector<ControlGeometry> controls;
};

constexpr double kDesignScreenWidth = 9600;
constexpr double kDesignScreenHeight = 7200;
constexpr double kRaiseTwips = 170;

// The choices a window makes when it scales itself.
struct ScaleChoices {
    bool raise = true;                                 // middle 170 twips above the screen's middle
    enum class WindowFont { HeightRatio, WidthRatio } windowFont = WindowFont::HeightRatio;
    enum class ControlFont { SmallerRatio, WidthRatio, WidthRatioAtMost15 } controlFont = ControlFont::SmallerRatio;
    std::set<ControlKind> kinds;                       // empty: every kind
    std::set<ControlKind> fixedFonts;                  // kinds that are moved and sized but keep their font
    // Above 0: the width ratio the font choices use instead of the one the window is sized by (a
    // window fitted to the work area keeps fonts that follow the whole screen's width).
    double fontWidthRatio = 0;
};

// Scales to a screen of screenWidth x screenHeight twips and centres. Left and top are kept on
// the screen (never negative), so a tall window keeps its title bar reachable.
void ScaleForm(FormGeometry& form, double screenWidth, double screenHeight, const ScaleChoices& choices = {});

// Sizes the window to newWidth x newHeight (exact) or scales it by new/design, centres it there
// and scales the controls by the change of the client area; fontFactor damps or strengthens
// font growth. Returns the font ratio applied (for a font name change the caller makes).
double ScaleFormTo(FormGeometry& form, double newWidth, double newHeight, double designWidth, double designHeight,
                   bool exactSize, double fontFactor);

}  // namespace station
