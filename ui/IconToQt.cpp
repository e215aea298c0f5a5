#include "ui/IconToQt.h"

#include <QImage>
#include <QPixmap>
#include <algorithm>

#include "core/TCanvas.h"
#include "core/TGraphic.h"

namespace {
// The icon drawn over a uniform background.
QImage DrawOver(TGraphic& icon, QRgb background) {
    int w = std::max(icon.Width(), 1), h = std::max(icon.Height(), 1);
    std::unique_ptr<platform::Bitmap> raster = platform::Bitmap::CreateDevice(w, h);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(raster->ScanLine(y));
        std::fill(row, row + w, background);
    }
    {
        TRasterCanvas canvas(*raster);
        icon.DrawInRect(canvas, platform::TRect{0, 0, w, h});
    }
    return QImage(raster->ScanLine(0), w, h, int(raster->Stride()), QImage::Format_RGB32).copy();
}
}  // namespace

QIcon IconToQIcon(TGraphic& icon) {
    // A pixel the mask leaves transparent takes the background's colour, so it differs between a
    // black and a white background; an opaque one does not.
    QImage onBlack = DrawOver(icon, 0x000000), onWhite = DrawOver(icon, 0xFFFFFF);
    QImage result(onBlack.size(), QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        const auto* black = reinterpret_cast<const QRgb*>(onBlack.constScanLine(y));
        const auto* white = reinterpret_cast<const QRgb*>(onWhite.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            out[x] = (black[x] & 0xFFFFFF) == (white[x] & 0xFFFFFF) ? (black[x] | 0xFF000000u) : 0;
    }
    return IconAtOneAndTwice(result);
}

QIcon IconAtOneAndTwice(const QImage& picture) {
    QIcon icon;
    if (picture.isNull()) return icon;
    icon.addPixmap(QPixmap::fromImage(picture));
    const QImage twice = picture.scaled(picture.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    icon.addPixmap(QPixmap::fromImage(twice));
    return icon;
}
