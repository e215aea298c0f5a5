#include "core/RotateBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

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
inline std::int64_t HalveTowardZero(std::int64_t value) {
    return value / 2;
}

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

void FillBlue(std::uint8_t* out, int count) {
    for (int i = 0; i < count; ++i) std::memcpy(out + 3 * std::ptrdiff_t(i), Blue, 3);
}

// A destination area: rows [y0, y1), columns [x0, x1).
struct Block {
    int x0, x1, y0, y1;
};

// The mapping as written: rounding per pixel, for any angle.
void MapBlockByFormula(const RowView& src, const RowView& dst, int width, int height, platform::TPoint centre,
                       const Turn& turn, const Block& b) {
    const std::int64_t cx = centre.X, cy = centre.Y;
    for (int y = b.y1 - 1; y >= b.y0; --y) {
        const double v = double(2 * (y - cy) + 1);
        const double vs = v * turn.s, vc = v * turn.c;
        std::uint8_t* out = dst.Row(y);
        for (int x = b.x1 - 1; x >= b.x0; --x) {
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

// A mapping that moves whole pixels: source = (ax x + bx y + kx, ay x + by y + ky).
struct PixelMove {
    int ax, bx, ay, by;
    std::int64_t kx, ky;
};

// With one of sine and cosine exactly 1 or -1 and the other so small that its product with any
// doubled offset stays below a quarter, p and q always round to the exact product term, so
// p, q are +-u or +-v: the formula reduces to a whole-pixel move when the halving is exact, which
// it always is about a whole pixel's corner. That is the case for the menu's 90 and 180 degrees
// (and 0, 270, ...); else none.
std::optional<PixelMove> WholePixelMove(const Turn& turn, int width, int height, HalfPixelPoint centre) {
    const std::int64_t cx2 = centre.X2, cy2 = centre.Y2;
    const double reach =
        double(std::max({std::llabs(1 - cx2), std::llabs(2 * std::int64_t(width) - 1 - cx2),
                         std::llabs(1 - cy2), std::llabs(2 * std::int64_t(height) - 1 - cy2)}));
    const auto negligible = [reach](double k) { return std::fabs(k) * reach < 0.25; };
    int pu, pv, qu, qv;  // p = pu u + pv v, q = qu u + qv v
    if (std::fabs(turn.c) == 1.0 && negligible(turn.s)) {
        pu = int(turn.c), pv = 0, qu = 0, qv = int(turn.c);
    } else if (std::fabs(turn.s) == 1.0 && negligible(turn.c)) {
        pu = 0, pv = -int(turn.s), qu = int(turn.s), qv = 0;
    } else {
        return std::nullopt;
    }
    // (c2 + a u + b v - 1) / 2 with u = 2 x + 1 - cx2, v = 2 y + 1 - cy2 and one of a, b zero;
    // an odd numerator lands between two pixels.
    const auto twiceOffset = [&](int a, int b, std::int64_t c2) {
        return c2 + a * (1 - cx2) + b * (1 - cy2) - 1;
    };
    const std::int64_t kx2 = twiceOffset(pu, pv, cx2), ky2 = twiceOffset(qu, qv, cy2);
    if (kx2 % 2 != 0 || ky2 % 2 != 0) return std::nullopt;
    return PixelMove{pu, pv, qu, qv, kx2 / 2, ky2 / 2};
}

// Columns x of [lo, hi) with 0 <= a x + k < limit, for a in -1, 0, 1; narrows lo and hi.
void KeepInside(int a, std::int64_t k, int limit, std::int64_t& lo, std::int64_t& hi) {
    if (a == 0) {
        if (k < 0 || k >= limit) hi = lo;
    } else if (a == 1) {
        lo = std::max(lo, -k), hi = std::min(hi, limit - k);
    } else {
        lo = std::max(lo, k - limit + 1), hi = std::min(hi, k + 1);
    }
}

// The same result as MapBlockByFormula for a whole-pixel move: per row, the source pixels form a
// straight walk, so only the blue ends are decided and the inside is copied by stepping.
void MapBlockByMove(const RowView& src, const RowView& dst, int width, int height, const PixelMove& m,
                    const Block& b) {
    const std::ptrdiff_t walk = 3 * m.ax + m.ay * src.step;
    for (int y = b.y0; y < b.y1; ++y) {
        const std::int64_t kx = m.bx * std::int64_t(y) + m.kx, ky = m.by * std::int64_t(y) + m.ky;
        std::int64_t lo = b.x0, hi = b.x1;
        KeepInside(m.ax, kx, width, lo, hi);
        KeepInside(m.ay, ky, height, lo, hi);
        std::uint8_t* out = dst.Row(y);
        if (lo >= hi) {
            FillBlue(out + 3 * std::ptrdiff_t(b.x0), b.x1 - b.x0);
            continue;
        }
        FillBlue(out + 3 * std::ptrdiff_t(b.x0), int(lo - b.x0));
        const std::uint8_t* from = src.Row(m.ay * lo + ky) + 3 * (m.ax * lo + kx);
        for (std::int64_t x = lo; x < hi; ++x, from += walk) std::memcpy(out + 3 * x, from, 3);
        FillBlue(out + 3 * std::ptrdiff_t(hi), int(b.x1 - hi));
    }
}

}  // namespace

void RotateBitmap(TBitmap& source, TBitmap& destination, platform::TPoint centre, double angle) {
    RotateAboutHalfPixelPoint(source, destination,
                              HalfPixelPoint{2 * std::int64_t(centre.X), 2 * std::int64_t(centre.Y)}, angle);
}

void RotateAboutHalfPixelPoint(TBitmap& source, TBitmap& destination, HalfPixelPoint centre, double angle) {
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

    // Format first: a fresh destination then makes a single 24-bit raster, instead of a device
    // raster that is converted afterwards.
    destination.SetRasterFormat(rf24Bit);
    destination.SetWidth(width);
    destination.SetHeight(height);
    if (width == 0 || height == 0) return;

    // Read only: Row() would make a store shared with a history step private, copying it whole.
    const RowView src{const_cast<std::uint8_t*>(from->Image()->handle->ScanLine(0)), from->RowStep()};
    const RowView dst{destination.Row(0), destination.RowStep()};
    const Turn turn = MakeTurn(angle);

    // A turn that cannot carry pixels onto pixels about the given point is made about the nearest
    // whole point instead.
    const platform::TPoint whole{int(std::nearbyint(double(centre.X2) / 2)),
                                 int(std::nearbyint(double(centre.Y2) / 2))};
    std::optional<PixelMove> move = WholePixelMove(turn, width, height, centre);
    if (!move)
        move = WholePixelMove(turn, width, height,
                              HalfPixelPoint{2 * std::int64_t(whole.X), 2 * std::int64_t(whole.Y)});

    // Square blocks keep the source reads of a quarter turn (which walk source columns) in cache;
    // the visiting order does not change the result.
    constexpr int side = 64;
    for (int y0 = 0; y0 < height; y0 += side)
        for (int x0 = 0; x0 < width; x0 += side) {
            const Block block{x0, std::min(x0 + side, width), y0, std::min(y0 + side, height)};
            if (move)
                MapBlockByMove(src, dst, width, height, *move, block);
            else
                MapBlockByFormula(src, dst, width, height, whole, turn, block);
        }
}
