#include "widgets/GlyphPainting.h"

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <vector>

#include "core/TBitmap.h"
#include "widgets/QtColor.h"

namespace {

// 0x00RRGGBB row pixels as TColor (0x00BBGGRR).
TColor RowPixelToColor(std::uint32_t pixel) {
    return platform::RGB(std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel));
}

// The strip's raster, read in place: asking the bitmap for its handle would make its store private,
// and painting must leave the strip as it is.
const platform::Bitmap* RasterOf(const TBitmap& strip) {
    return strip.IsEmpty() ? nullptr : strip.Image()->handle.get();
}

// The key as a row pixel, 0x00RRGGBB.
std::uint32_t KeyPixel(const platform::Bitmap& raster, int height) {
    std::uint32_t pixel = 0;
    platform::ReadRow32(raster, height - 1, 0, 1, &pixel);
    return pixel & 0xFFFFFF;
}

}  // namespace

TColor StripKeyColor(const TBitmap& strip) {
    const platform::Bitmap* raster = RasterOf(strip);
    if (!raster || strip.Height() <= 0) return 0;
    return RowPixelToColor(KeyPixel(*raster, strip.Height()));
}

void DrawGlyphCell(QImage& image, const TBitmap& strip, int cell, int cellWidth, const QPoint& at,
                   const TColor* brushColor) {
    const int height = strip.Height();
    const platform::Bitmap* raster = RasterOf(strip);
    if (!raster || cellWidth <= 0 || height <= 0) return;

    const std::uint32_t key = KeyPixel(*raster, height);
    const int sourceLeft = cell * cellWidth;
    const int count = std::min(cellWidth, raster->Width() - sourceLeft);
    // Only the columns and rows that land inside the image are read and written.
    const int firstColumn = std::max(0, -at.x()), lastColumn = std::min(count, image.width() - at.x());
    if (count <= 0 || firstColumn >= lastColumn) return;
    std::vector<std::uint32_t> row(static_cast<std::size_t>(count));
    const QRgb brush = brushColor ? ToQRgb(*brushColor) : 0;
    for (int y = 0; y < height; ++y) {
        const int targetY = at.y() + y;
        if (targetY < 0 || targetY >= image.height()) continue;
        platform::ReadRow32(*raster, y, sourceLeft, count, row.data());
        QRgb* target = reinterpret_cast<QRgb*>(image.scanLine(targetY)) + at.x();
        for (int x = firstColumn; x < lastColumn; ++x) {
            const std::uint32_t pixel = row[std::size_t(x)] & 0xFFFFFF;
            if (pixel != key)
                target[x] = 0xFF000000u | pixel;
            else if (brushColor)
                target[x] = brush;
        }
    }
}

void DrawGlyphCellScaled(QImage& image, const TBitmap& strip, int cell, int cellWidth, const QRect& target,
                         const TColor* brushColor) {
    const int height = strip.Height();
    if (strip.IsEmpty() || cellWidth <= 0 || height <= 0 || target.isEmpty()) return;
    // The cell at its own size on a transparent ground, then scaled.
    QImage cellImage(cellWidth, height, QImage::Format_ARGB32_Premultiplied);
    cellImage.fill(Qt::transparent);
    DrawGlyphCell(cellImage, strip, cell, cellWidth, QPoint(0, 0), brushColor);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, cellImage);
}
