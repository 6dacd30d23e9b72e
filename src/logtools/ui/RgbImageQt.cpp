#include "logtools/ui/RgbImageQt.h"

namespace logtools::ui {

RgbImage fromQImage(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    RgbImage out(rgb.width(), rgb.height(), 0);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) out.set(x, y, line[x] & 0xFFFFFF);
    }
    return out;
}

QImage toQImage(const RgbImage& image) {
    QImage out(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < image.width; ++x) line[x] = 0xFF000000u | image.at(x, y);
    }
    return out;
}

}  // namespace logtools::ui
