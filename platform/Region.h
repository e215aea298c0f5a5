#pragma once
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"

namespace platform {

// One run of pixels of a region: row y, columns [Left, Right).
struct RegionSpan {
    int Y = 0, Left = 0, Right = 0;
    bool operator==(const RegionSpan&) const = default;
};

// Where a shape given in logical units is drawn: Ratio device pixels per unit, with the unit point
// (0, 0) at the device point (OriginX, OriginY). The identity leaves every shape as it was.
struct RegionScale {
    double Ratio = 1, OriginX = 0, OriginY = 0;
    bool IsIdentity() const { return Ratio == 1 && OriginX == 0 && OriginY == 0; }
};

// A set of pixels held as sorted row spans, so hit tests and fills are exact.
// Coordinates follow the platform's conventions: a rectangle (l, t, r, b) covers columns l..r-1 and
// rows t..b-1; rounded rectangles and ellipses are fitted one pixel tighter on the right and the
// bottom, (l, t) to (r - 1, b - 1), as the platform's region makers do.
class Region {
public:
    Region() = default;

    // With a scale, the device pixels whose centres the scaled shape covers; a rectangle's edges go
    // to the nearest device pixel boundary (a centre on an edge belongs to the pixel right or below).
    static Region Rectangle(int left, int top, int right, int bottom, const RegionScale& scale = {});
    // Corners are quarters of an ellipse cornerWidth x cornerHeight (clamped to the shape's size).
    static Region RoundRectangle(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight,
                                 const RegionScale& scale = {});
    static Region Ellipse(int left, int top, int right, int bottom, const RegionScale& scale = {});

    void Offset(int dx, int dy);
    bool Contains(int x, int y) const;
    bool IsEmpty() const { return spans_.empty(); }
    TRect Bounds() const;
    const std::vector<RegionSpan>& Spans() const { return spans_; }

private:
    std::vector<RegionSpan> spans_;  // by row, one span per row (every shape here is convex)
};

// The platform's names for the same operations.
inline Region CreateRectRgn(int l, int t, int r, int b) {
    return Region::Rectangle(l, t, r, b);
}
inline Region CreateRoundRectRgn(int l, int t, int r, int b, int w, int h) {
    return Region::RoundRectangle(l, t, r, b, w, h);
}
inline Region CreateEllipticRgn(int l, int t, int r, int b) {
    return Region::Ellipse(l, t, r, b);
}
inline void OffsetRgn(Region& region, int dx, int dy) {
    region.Offset(dx, dy);
}
inline bool PtInRegion(const Region& region, int x, int y) {
    return region.Contains(x, y);
}

}  // namespace platform
