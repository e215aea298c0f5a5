#include "widgets/FancyFace.h"

#include <QImage>
#include <algorithm>
#include <cmath>

#include "widgets/ExactRounding.h"
#include "widgets/RegionFill.h"
#include "widgets/TFancyEffects.h"

using platform::Region;

namespace {

// Corner ellipse size of the rounded shapes: the short side for a capsule, twice the radius for a
// rectangle.
int CornerSize(TBtnShape shape, int width, int height, int cornerRadius) {
    return shape == btnCapsule ? std::min(width, height) : 2 * cornerRadius;
}

int Channel(TColor color, int shift) { return int((platform::ColorToRGB(color) >> shift) & 0xFF); }

}  // namespace

Region ShapeRegion(TBtnShape shape, int width, int height, int cornerRadius) {
    if (shape == btnOval) return platform::CreateEllipticRgn(0, 0, width, height);
    const int d = CornerSize(shape, width, height, cornerRadius);
    return platform::CreateRoundRectRgn(0, 0, width, height, d, d);
}

Region FrameRingRegion(TBtnShape shape, int width, int height, int cornerRadius, int ring) {
    const int i = ring;
    if (shape == btnOval) return platform::CreateEllipticRgn(i, i, width + 1 - i, height + 1 - i);
    const int d = CornerSize(shape, width, height, cornerRadius) - 2 * i;
    if (d > 0) return platform::CreateRoundRectRgn(i, i, width + 1 - i, height + 1 - i, d, d);
    return platform::CreateRectRgn(i, i, width - i, height - i);
}

TColor FrameRingColor(TColor face, TColor frame, int frameWidth, int ring) {
    const double n = frameWidth, k = frameWidth - ring;
    const double t = std::sqrt(n * n - k * k) / n;
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int r = Channel(frame, shift), f = Channel(face, shift);
        const int c = r + int(std::nearbyint((f - r) * t));  // ties to even
        result |= TColor(c & 0xFF) << shift;
    }
    return result;
}

TColor MixFrameIntoFace(TColor face, TColor frame, int percent) {
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const long mixed = long(100 - percent) * Channel(face, shift) + long(percent) * Channel(frame, shift);
        result |= TColor(DivideRoundHalfEven(mixed, 100) & 0xFF) << shift;
    }
    return result;
}

Region SunkenFaceRegion(TBtnShape shape, int width, int height, int cornerRadius) {
    if (shape == btnOval) return platform::CreateEllipticRgn(1, 1, width - 2, height - 2);
    const int d = CornerSize(shape, width, height, cornerRadius);
    if (d > 0) return platform::CreateRoundRectRgn(1, 1, width - 2, height - 2, d - 2, d - 2);
    return platform::CreateRectRgn(1, 1, width - 3, height - 3);
}

TColor PaintGradientFace(QImage& image, const TFancyEffects& effects) {
    const int n = effects.FrameWidth();
    TColor color = platform::ColorToRGB(effects.FrameColor());
    for (int ring = 0; ring < n; ++ring) {
        color = FrameRingColor(effects.FaceColor(), effects.FrameColor(), n, ring);
        FillRegion(image, FrameRingRegion(effects.Shape(), image.width(), image.height(), effects.CornerRadius(), ring),
                   color);
    }
    return color;
}

TColor PaintSunkenFace(QImage& image, const TFancyEffects& effects) {
    const TColor face = effects.FaceColor(), frame = effects.FrameColor();
    Region region = SunkenFaceRegion(effects.Shape(), image.width(), image.height(), effects.CornerRadius());
    FillRegion(image, region, clBlack);
    region.Offset(1, 1);
    FillRegion(image, region, MixFrameIntoFace(face, frame, 40));
    region.Offset(2, 2);
    FillRegion(image, region, clBtnHighlight);
    region.Offset(-1, -1);
    const TColor sunken = MixFrameIntoFace(face, frame, 15);
    FillRegion(image, region, sunken);
    return sunken;
}
