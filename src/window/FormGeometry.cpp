#include "window/FormGeometry.h"

#include <algorithm>
#include <cmath>

namespace window {

FormGeometry::FormGeometry(const FormDesign& design)
    : width(design.width), height(design.height), fontPt(design.fontPt) {
    controls.reserve(design.controls.size());
    for (const auto& c : design.controls) {
        controls.push_back({c.kind, c.left, c.top, c.width, c.height, c.fontPt, c.spotPanel});
    }
}

void FormGeometry::ScaleToScreen(float sw, float sh) {
    const float rw = sw / kDesignWidth;
    const float rh = sh / kDesignHeight;
    width = width / kDesignWidth * sw;
    height = height / kDesignHeight * sh;
    left = (sw - width) / 2.0f;
    top = (sh - height) / 2.0f;
    fontPt = fontPt * width / kDesignWidth;
    const float fontRatio = std::min(rw, rh);
    for (auto& c : controls) {
        if (c.kind == ControlKind::Line) {
            c.left *= rw;   // X1
            c.width *= rw;  // X2
            c.top *= rh;    // Y1
            c.height *= rh; // Y2
        } else {
            c.height *= rh;
            c.left *= rw;
            c.top *= rh;
            c.width *= rw;
            c.fontPt *= fontRatio;
        }
    }
}

void FormGeometry::CreateColumns(const FormDesign& design) {
    listView1Columns.clear();
    txtDXColumns.clear();
    for (const auto& col : design.listView1Columns) listView1Columns.push_back(col.width * width / kDesignWidth);
    for (const auto& col : design.txtDXColumns) txtDXColumns.push_back(col.width * width / kDesignWidth);
}

bool FormGeometry::ScaleFormToScreen(int percent, float sw, float sh) {
    const float k = static_cast<float>(percent) / 100.0f;
    if (!(k > 0.0f) || !(sw > 0.0f) || !(sh > 0.0f) || !std::isfinite(sw) || !std::isfinite(sh)) return false;
    FormGeometry scaled = *this;
    scaled.width = sw * k;
    scaled.height = sh * k;
    scaled.left = (sw - scaled.width) / 2.0f;
    scaled.top = (sh - scaled.height) / 2.0f;
    scaled.fontPt *= k;
    bool usable = std::isfinite(scaled.fontPt);
    for (auto& c : scaled.controls) {
        if (c.kind != ControlKind::Line && c.kind != ControlKind::Frame) c.fontPt *= k;
        c.height *= k;
        c.left *= k;
        c.top *= k;
        c.width *= k;
        for (float v : {c.fontPt, c.height, c.left, c.top, c.width}) usable = usable && std::isfinite(v);
    }
    for (auto& w : scaled.txtDXColumns) w *= k;
    for (auto& w : scaled.listView1Columns) w *= k;
    if (!usable) return false;
    *this = std::move(scaled);
    return true;
}

void FormGeometry::FitToArea(const platform::TwipsRect& area) {
    const float w0 = width, h0 = height;
    width = static_cast<float>(area.width);
    height = static_cast<float>(area.height);
    left = static_cast<float>(area.left);
    top = static_cast<float>(area.top);
    if (w0 <= 0 || h0 <= 0) return;
    const float rw = width / w0, rh = height / h0;
    for (auto& c : controls) {
        c.height *= rh;
        c.left *= rw;
        c.top *= rh;
        c.width *= rw;
    }
    for (auto& w : txtDXColumns) w *= rw;
}

ControlGeometry FormGeometry::effective(int i) const {
    ControlGeometry c = at(i);
    if (squeeze == 1.0f || c.spotPanel || c.kind == ControlKind::Frame) return c;
    if (c.kind == ControlKind::Line) {
        c.top *= squeeze;     // Y1
        c.height *= squeeze;  // Y2
    } else {
        c.height *= squeeze;
        c.top *= squeeze;
    }
    return c;
}

void FormGeometry::SizeSideLists(int list1, int list2, int list3, int line3) {
    auto& first = at(list1);
    first.height = std::max(0.0f, at(line3).top - first.top);
    at(list2).height = first.height;
    if (list3 >= 0) at(list3).height = first.height;
}

}  // namespace window
