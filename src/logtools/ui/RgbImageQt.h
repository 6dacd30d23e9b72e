#pragma once
// Conversions between the core's plain picture and Qt's.
#include <QImage>

#include "logtools/RgbImage.h"

namespace logtools::ui {
RgbImage fromQImage(const QImage& image);
QImage toQImage(const RgbImage& image);
}  // namespace logtools::ui
