#include "platform/Region.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// Guards the half-pixel edge tests against rounding noise in the square root.
constexpr double EdgeSlack = 1e-9;

}  // namespace

Region Region::Rectangle(int left, int top, int right, int bottom, const RegionScale& scale) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    Region region;
    if (left == right) return region;
    if (!scale.IsIdentity()) {
        // Edges to the nearest device boundary, as the toolkit rounds the widgets' own edges.
        auto edge = [&scale](double origin, int at) {
            return int(std::floor(origin + at * scale.Ratio + 0.5));
        };
        left = edge(scale.OriginX, left), right = edge(scale.OriginX, right);
        top = edge(scale.OriginY, top), bottom = edge(scale.OriginY, bottom);
        if (left == right) return region;
    }
    region.spans_.reserve(std::size_t(bottom - top));
    for (int y = top; y < bottom; ++y) region.spans_.push_back({y, left, right});
    return region;
}

Region Region::RoundRectangle(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight,
                              const RegionScale& scale) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    // Curved shapes cover one column and one row less than their bounds.
    const int width = right - left - 1, height = bottom - top - 1;
    Region region;
    if (width <= 0 || height <= 0) return region;
    const int ew = std::min(std::abs(cornerWidth), width), eh = std::min(std::abs(cornerHeight), height);
    if (ew == 0 || eh == 0) return Rectangle(left, top, left + width, top + height, scale);

    // A pixel belongs to the shape when its centre lies inside; the corners are quarters of an
    // ellipse with radii rx, ry. All in device pixels (at the identity scale, the units themselves).
    const double k = scale.Ratio;
    const double l = scale.OriginX + left * k, t = scale.OriginY + top * k, w = width * k, h = height * k;
    const double rx = ew / 2.0 * k, ry = eh / 2.0 * k;
    const int firstRow = int(std::floor(t + 0.5)), endRow = int(std::floor(t + h + 0.5));
    region.spans_.reserve(std::size_t(std::max(0, endRow - firstRow)));
    for (int y = firstRow; y < endRow; ++y) {
        const double py = y + 0.5;
        double dy = 0;
        if (py < t + ry)
            dy = t + ry - py;
        else if (py > t + h - ry)
            dy = py - (t + h - ry);
        const double q = std::min(dy / ry, 1.0);
        const double dx = dy > 0 ? rx * std::sqrt(std::max(0.0, 1.0 - q * q)) : rx;
        const int first = int(std::ceil(l + rx - dx - 0.5 - EdgeSlack));
        const int last = int(std::floor(l + w - rx + dx - 0.5 + EdgeSlack));
        if (first <= last) region.spans_.push_back({y, first, last + 1});
    }
    return region;
}

Region Region::Ellipse(int left, int top, int right, int bottom, const RegionScale& scale) {
    return RoundRectangle(left, top, right, bottom, std::abs(right - left), std::abs(bottom - top), scale);
}

void Region::Offset(int dx, int dy) {
    for (RegionSpan& span : spans_) {
        span.Y += dy;
        span.Left += dx;
        span.Right += dx;
    }
}

bool Region::Contains(int x, int y) const {
    auto it = std::lower_bound(spans_.begin(), spans_.end(), y,
                               [](const RegionSpan& span, int row) { return span.Y < row; });
    return it != spans_.end() && it->Y == y && x >= it->Left && x < it->Right;
}

TRect Region::Bounds() const {
    if (spans_.empty()) return {};
    TRect bounds{spans_.front().Left, spans_.front().Y, spans_.front().Right, spans_.back().Y + 1};
    for (const RegionSpan& span : spans_) {
        bounds.Left = std::min(bounds.Left, span.Left);
        bounds.Right = std::max(bounds.Right, span.Right);
    }
    return bounds;
}

}  // namespace platform
