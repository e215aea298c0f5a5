#include "widgets/GlyphPainting.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QPoint>
#include <algorithm>
#include <vector>

#include "core/TBitmap.h"
#include "widgets/QtColor.h"

namespace {

// 0x00RRGGBB row pixels as TColor (0x00BBGGRR).
TColor RowPixelToColor(std::uint32_t pixel) {
    return platform::RGB(std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel));
}

}  // namespace

TColor DrawGlyphCell(QImage& image, TBitmap& strip, int cell, int cellWidth, const QPoint& at,
                     const TColor* brushColor) {
    const int height = strip.Height();
    const platform::Bitmap* raster = strip.IsEmpty() ? nullptr : strip.BitmapHandle();
    if (!raster || cellWidth <= 0 || height <= 0) return 0;

    std::vector<std::uint32_t> row(std::size_t(raster->Width()));
    platform::ReadRow32(*raster, height - 1, 0, 1, row.data());
    const std::uint32_t key = row[0] & 0xFFFFFF;

    const int sourceLeft = cell * cellWidth;
    const int count = std::min(cellWidth, raster->Width() - sourceLeft);
    // Only the columns and rows that land inside the image are read and written.
    const int firstColumn = std::max(0, -at.x()), lastColumn = std::min(count, image.width() - at.x());
    if (count <= 0 || firstColumn >= lastColumn) return RowPixelToColor(key);
    const QRgb brush = brushColor ? ToQRgb(*brushColor) : 0;
    for (int y = 0; y < height; ++y) {
        const int targetY = at.y() + y;
        if (targetY < 0 || targetY >= image.height()) continue;
        platform::ReadRow32(*raster, y, sourceLeft, count, row.data());
        QRgb* target = reinterpret_cast<QRgb*>(image.scanLine(targetY)) + at.x();
        for (int x = firstColumn; x < lastColumn; ++x) {
            const std::uint32_t pixel = row[std::size_t(x)] & 0xFFFFFF;
            if (pixel != key) target[x] = 0xFF000000u | pixel;
            else if (brushColor) target[x] = brush;
        }
    }
    return RowPixelToColor(key);
}

TColor DrawGlyphCellScaled(QImage& image, TBitmap& strip, int cell, int cellWidth, const QRect& target,
                           const TColor* brushColor) {
    const int height = strip.Height();
    if (strip.IsEmpty() || cellWidth <= 0 || height <= 0 || target.isEmpty()) return 0;
    // The cell at its own size on a transparent ground; the key colour comes back from it.
    QImage cellImage(cellWidth, height, QImage::Format_ARGB32_Premultiplied);
    cellImage.fill(Qt::transparent);
    const TColor key = DrawGlyphCell(cellImage, strip, cell, cellWidth, QPoint(0, 0), brushColor);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, cellImage);
    return key;
}
