#include "station/FormScaling.h"

#include <algorithm>

namespace station {

namespace {
bool sizedKind(ControlKind k) { return k != ControlKind::Line && k != ControlKind::Other; }

// The ratio used for control fonts: the smaller of the two, compared in single precision, the
// horizontal one when they are equal.
double smaller(double h, double v) { return static_cast<float>(v) < static_cast<float>(h) ? v : h; }

void scaleControls(FormGeometry& form, double h, double v, double fontRatio, bool scaleComboHeight,
                   const std::set<ControlKind>& kinds, const std::set<ControlKind>& fixedFonts = {}) {
    for (auto& c : form.controls) {
        if (!kinds.empty() && !kinds.count(c.kind)) continue;
        if (sizedKind(c.kind)) {
            if (c.kind != ControlKind::ComboBox || scaleComboHeight) c.height *= v;
            c.left *= h;
            c.top *= v;
            c.width *= h;
            if (c.kind != ControlKind::Image && !fixedFonts.count(c.kind)) c.fontSize *= fontRatio;
        } else if (c.kind == ControlKind::Line) {
            c.left *= h;
            c.width *= h;
            c.top *= v;
            c.height *= v;
        }
        if (c.kind == ControlKind::ListView) {
            for (auto& w : c.columnWidths) w *= h;
        }
    }
}
}  // namespace

void ScaleForm(FormGeometry& form, double screenWidth, double screenHeight, const ScaleChoices& choices) {
    const double h = static_cast<float>(screenWidth / kDesignScreenWidth);
    const double v = static_cast<float>(screenHeight / kDesignScreenHeight);
    form.width = form.width / kDesignScreenWidth * screenWidth;
    form.height = form.height / kDesignScreenHeight * screenHeight;
    form.left = std::max(0.0, (screenWidth - form.width) / 2);
    form.top = std::max(0.0, (screenHeight - form.height) / 2 - (choices.raise ? kRaiseTwips : 0));
    const double fh = choices.fontWidthRatio > 0 ? choices.fontWidthRatio : h;
    form.fontSize *= choices.windowFont == ScaleChoices::WindowFont::HeightRatio ? v : fh;
    double fontRatio = smaller(fh, v);
    if (choices.controlFont == ScaleChoices::ControlFont::WidthRatio) fontRatio = fh;
    if (choices.controlFont == ScaleChoices::ControlFont::WidthRatioAtMost15) fontRatio = std::min(fh, 1.5);
    scaleControls(form, h, v, fontRatio, false, choices.kinds, choices.fixedFonts);
}

double ScaleFormTo(FormGeometry& form, double newWidth, double newHeight, double designWidth, double designHeight,
                   bool exactSize, double fontFactor) {
    const double clientWidthBefore = form.width - form.frameWidth;
    const double clientHeightBefore = form.height - form.frameHeight;
    if (exactSize) {
        form.width = newWidth;
        form.height = newHeight;
    } else {
        form.width = form.width / designWidth * newWidth;
        form.height = form.height / designHeight * newHeight;
    }
    form.left = std::max(0.0, (newWidth - form.width) / 2);
    form.top = std::max(0.0, (newHeight - form.height) / 2);
    const double h = clientWidthBefore > 0 ? (form.width - form.frameWidth) / clientWidthBefore : 1;
    const double v = clientHeightBefore > 0 ? (form.height - form.frameHeight) / clientHeightBefore : 1;
    const double r = smaller(h, v);
    const double fontRatio = form.height > clientHeightBefore ? (r - 1) * fontFactor + 1 : r;
    form.fontSize *= fontRatio;
    scaleControls(form, h, v, fontRatio, true, {});
    return fontRatio;
}

}  // namespace station
