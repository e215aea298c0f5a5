#include "core/RotateBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/TBitmap.h"

namespace {

// Nearest integer, ties to even, as std::nearbyint under the default rounding mode. Adding and
// subtracting 1.5 * 2^52 rounds a double of magnitude below 2^51 the same way, without a call.
inline double RoundHalfEven(double value) {
    constexpr double magic = 6755399441055744.0;  // 1.5 * 2^52
    if (std::fabs(value) < 2251799813685248.0)    // 2^51
        return (value + magic) - magic;
    return std::nearbyint(value);
}

// Halving toward zero: -3 -> -1, -1 -> 0, 1 -> 0, 3 -> 1.
inline std::int64_t HalveTowardZero(std::int64_t value) { return value / 2; }

// The sine and cosine of the turn: -angle * pi / 180 in extended precision, stored as a double.
struct Turn {
    double s, c;
};

Turn MakeTurn(double angle) {
    constexpr long double pi = 3.141592653589793238462643383279502884L;
    const double theta = double(-(long double)angle * pi / 180.0L);
    return {std::sin(theta), std::cos(theta)};
}

// Rows of a 24-bit raster: the first row's address and the step between rows.
struct RowView {
    std::uint8_t* first;
    std::ptrdiff_t step;
    std::uint8_t* Row(std::int64_t y) const { return first + y * step; }
};

constexpr std::uint8_t Blue[3] = {255, 0, 0};  // blue, green, red byte order

// Destination rows [y0, y1) and columns [x0, x1); the source has the destination's size.
void MapBlock(const RowView& src, const RowView& dst, int width, int height, platform::TPoint centre,
              const Turn& turn, int x0, int x1, int y0, int y1) {
    const std::int64_t cx = centre.X, cy = centre.Y;
    for (int y = y1 - 1; y >= y0; --y) {
        const double v = double(2 * (y - cy) + 1);
        const double vs = v * turn.s, vc = v * turn.c;
        std::uint8_t* out = dst.Row(y);
        for (int x = x1 - 1; x >= x0; --x) {
            const double u = double(2 * (x - cx) + 1);
            const std::int64_t p = std::int64_t(RoundHalfEven(u * turn.c - vs));
            const std::int64_t q = std::int64_t(RoundHalfEven(u * turn.s + vc));
            const std::int64_t sx = cx + HalveTowardZero(p - 1);
            const std::int64_t sy = cy + HalveTowardZero(q - 1);
            const bool inside = sx >= 0 && sx < width && sy >= 0 && sy < height;
            std::memcpy(out + 3 * std::ptrdiff_t(x), inside ? src.Row(sy) + 3 * sx : Blue, 3);
        }
    }
}

}  // namespace

void RotateBitmap(TBitmap& source, TBitmap& destination, platform::TPoint centre, double angle) {
    // Pixels are addressed as 3-byte groups, so a source at another format (or the destination
    // itself) is read from a private 24-bit copy.
    std::unique_ptr<TBitmap> copy;
    TBitmap* from = &source;
    if (source.RasterFormat() != rf24Bit || &source == &destination) {
        copy = std::make_unique<TBitmap>();
        copy->CopyFrom(&source);
        copy->SetRasterFormat(rf24Bit);
        from = copy.get();
    }
    const int width = from->Width(), height = from->Height();

    destination.SetWidth(width);
    destination.SetHeight(height);
    destination.SetRasterFormat(rf24Bit);
    if (width == 0 || height == 0) return;

    const RowView src{from->Row(0), from->RowStep()};
    const RowView dst{destination.Row(0), destination.RowStep()};
    const Turn turn = MakeTurn(angle);

    // Square blocks keep the source reads of a quarter turn (which walk source columns) in cache;
    // the visiting order does not change the result.
    constexpr int block = 64;
    for (int y0 = 0; y0 < height; y0 += block)
        for (int x0 = 0; x0 < width; x0 += block)
            MapBlock(src, dst, width, height, centre, turn, x0, std::min(x0 + block, width), y0,
                     std::min(y0 + block, height));
}
