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

int Channel(TColor color, int shift) {
    return int((platform::ColorToRGB(color) >> shift) & 0xFF);
}

}  // namespace

Region ShapeRegion(TBtnShape shape, int width, int height, int cornerRadius) {
    if (shape == btnOval) return platform::CreateEllipticRgn(0, 0, width, height);
    const int d = CornerSize(shape, width, height, cornerRadius);
    return platform::CreateRoundRectRgn(0, 0, width, height, d, d);
}

Region FrameRingRegion(TBtnShape shape, int width, int height, int cornerRadius, int ring,
                       const platform::RegionScale& scale) {
    const int i = ring;
    if (shape == btnOval) return Region::Ellipse(i, i, width + 1 - i, height + 1 - i, scale);
    const int d = CornerSize(shape, width, height, cornerRadius) - 2 * i;
    if (d > 0) return Region::RoundRectangle(i, i, width + 1 - i, height + 1 - i, d, d, scale);
    return Region::Rectangle(i, i, width - i, height - i, scale);
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

Region SunkenFaceRegion(TBtnShape shape, int width, int height, int cornerRadius,
                        const platform::RegionScale& scale) {
    if (shape == btnOval) return Region::Ellipse(1, 1, width - 2, height - 2, scale);
    const int d = CornerSize(shape, width, height, cornerRadius);
    if (d > 0) return Region::RoundRectangle(1, 1, width - 2, height - 2, d - 2, d - 2, scale);
    return Region::Rectangle(1, 1, width - 3, height - 3, scale);
}

TColor PaintGradientFace(QImage& image, const TFancyEffects& effects) {
    return PaintGradientFace(image, effects, image.width(), image.height(), {});
}

TColor PaintSunkenFace(QImage& image, const TFancyEffects& effects) {
    return PaintSunkenFace(image, effects, image.width(), image.height(), {});
}

TColor PaintGradientFace(QImage& image, const TFancyEffects& effects, int width, int height,
                         const platform::RegionScale& scale) {
    const int n = effects.FrameWidth();
    TColor color = platform::ColorToRGB(effects.FrameColor());
    for (int ring = 0; ring < n; ++ring) {
        color = FrameRingColor(effects.FaceColor(), effects.FrameColor(), n, ring);
        const int radius = effects.CornerRadius();
        FillRegion(image, FrameRingRegion(effects.Shape(), width, height, radius, ring, scale), color);
    }
    return color;
}

// The face is filled four times, each time moved by whole logical pixels; at a scale the region is
// made again at each place rather than moved, so the moves land on the device grid as the edges do.
TColor PaintSunkenFace(QImage& image, const TFancyEffects& effects, int width, int height,
                       const platform::RegionScale& scale) {
    const TColor face = effects.FaceColor(), frame = effects.FrameColor();
    auto at = [&](int d) {
        platform::RegionScale moved = scale;
        moved.OriginX += d * scale.Ratio;
        moved.OriginY += d * scale.Ratio;
        return SunkenFaceRegion(effects.Shape(), width, height, effects.CornerRadius(), moved);
    };
    FillRegion(image, at(0), clBlack);
    FillRegion(image, at(1), MixFrameIntoFace(face, frame, 40));
    FillRegion(image, at(3), clBtnHighlight);
    const TColor sunken = MixFrameIntoFace(face, frame, 15);
    FillRegion(image, at(2), sunken);
    return sunken;
}
