#include "widgets/RegionFill.h"

#include <QImage>
#include <algorithm>

#include "widgets/QtColor.h"

void FillRegion(QImage& image, const platform::Region& region, TColor color) {
    const QRgb pixel = ToQRgb(color);
    for (const platform::RegionSpan& span : region.Spans()) {
        if (span.Y < 0 || span.Y >= image.height()) continue;
        const int left = std::max(span.Left, 0), right = std::min(span.Right, image.width());
        if (left >= right) continue;
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(span.Y));
        std::fill(row + left, row + right, pixel);
    }
}
