#include <bit>
#include <cstdint>
#include <cstring>

#include "platform/Bitmap.h"

// Conversion between every raster layout and rows of 32-bit colours 0x00RRGGBB.
namespace platform {

namespace {

// One bit-field channel: where it sits and how wide it is.
struct Channel {
    std::uint32_t mask;
    int shift;
    int bits;
};

Channel ChannelOf(std::uint32_t mask) {
    if (mask == 0) return Channel{0, 0, 0};
    const int shift = std::countr_zero(mask);
    return Channel{mask, shift, int(std::bit_width(mask >> shift))};
}

// Widens an n-bit channel to 8 bits by repeating its bits, so full scale reads 255.
inline std::uint32_t Expand(std::uint32_t v, int n) {
    if (n == 0) return 0;
    if (n >= 8) return (v >> (n - 8)) & 0xFF;
    std::uint32_t r = 0;
    int shift = 8 - n;
    for (; shift > 0; shift -= n) r |= v << shift;
    r |= v >> -shift;
    return r & 0xFF;
}

inline std::uint32_t Narrow(std::uint32_t v8, const Channel& c) {
    if (c.bits == 0) return 0;
    const std::uint32_t v = c.bits <= 8 ? v8 >> (8 - c.bits) : v8 << (c.bits - 8);
    return (v << c.shift) & c.mask;
}

inline std::uint32_t Pack(const RGBQuad& q) {
    return q.blue | (q.green << 8) | (std::uint32_t(q.red) << 16);
}

inline std::uint32_t TableColor(const std::vector<RGBQuad>& table, unsigned index) {
    return index < table.size() ? Pack(table[index]) : 0;  // indices past the table read black
}

inline TColor SwapToTColor(std::uint32_t px) {
    return ((px >> 16) & 0xFF) | (px & 0xFF00) | ((px & 0xFF) << 16);
}

// Nearest-entry lookup remembering the last answer: rows tend to repeat colours.
class IndexCache {
public:
    explicit IndexCache(const std::vector<RGBQuad>& table) : table_(table) {}
    unsigned operator()(std::uint32_t px) {
        px &= 0xFFFFFF;
        if (px != last_) {
            last_ = px;
            index_ = unsigned(NearestColorIndex(table_, SwapToTColor(px)));
        }
        return index_;
    }

private:
    const std::vector<RGBQuad>& table_;
    std::uint32_t last_ = 0xFFFFFFFF;
    unsigned index_ = 0;
};

bool PlainRgb32(const Bitmap& bmp) {
    return bmp.deviceDependent || bmp.info.compression != BI_BITFIELDS;
}

// Uncompressed 16-bit rows are 5-5-5 whatever masks the record carries.
const std::uint32_t* Masks16(const Bitmap& bmp) {
    static const std::uint32_t rgb555[3] = {0x7C00, 0x03E0, 0x001F};
    return bmp.info.compression == BI_BITFIELDS ? bmp.masks : rgb555;
}

void ReadMasked(const std::uint8_t* row, int x0, int count, int bytes, const std::uint32_t masks[3],
                std::uint32_t* out) {
    const Channel r = ChannelOf(masks[0]), g = ChannelOf(masks[1]), b = ChannelOf(masks[2]);
    const std::uint8_t* p = row + std::ptrdiff_t(x0) * bytes;
    for (int i = 0; i < count; ++i, p += bytes) {
        std::uint32_t v = p[0] | (p[1] << 8);
        if (bytes == 4) v |= (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
        out[i] = (Expand((v & r.mask) >> r.shift, r.bits) << 16) |
                 (Expand((v & g.mask) >> g.shift, g.bits) << 8) | Expand((v & b.mask) >> b.shift, b.bits);
    }
}

void WriteMasked(std::uint8_t* row, int x0, int count, int bytes, const std::uint32_t masks[3],
                 const std::uint32_t* in) {
    const Channel r = ChannelOf(masks[0]), g = ChannelOf(masks[1]), b = ChannelOf(masks[2]);
    std::uint8_t* p = row + std::ptrdiff_t(x0) * bytes;
    for (int i = 0; i < count; ++i, p += bytes) {
        const std::uint32_t px = in[i];
        const std::uint32_t v =
            Narrow((px >> 16) & 0xFF, r) | Narrow((px >> 8) & 0xFF, g) | Narrow(px & 0xFF, b);
        p[0] = std::uint8_t(v), p[1] = std::uint8_t(v >> 8);
        if (bytes == 4) p[2] = std::uint8_t(v >> 16), p[3] = std::uint8_t(v >> 24);
    }
}

void ReadIndexed(const Bitmap& bmp, const std::uint8_t* row, int x0, int count, std::uint32_t* out) {
    const auto& table = bmp.colors;
    switch (bmp.info.bitCount) {
        case 1:
            for (int i = 0, x = x0; i < count; ++i, ++x)
                out[i] = TableColor(table, (row[x >> 3] >> (7 - (x & 7))) & 1);
            break;
        case 4:
            for (int i = 0, x = x0; i < count; ++i, ++x)
                out[i] = TableColor(table, (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4);
            break;
        default:
            if (count < 256) {
                for (int i = 0; i < count; ++i) out[i] = TableColor(table, row[x0 + i]);
            } else {
                // Long rows: resolve the table once.
                std::uint32_t lookup[256];
                for (unsigned j = 0; j < 256; ++j) lookup[j] = TableColor(table, j);
                for (int i = 0; i < count; ++i) out[i] = lookup[row[x0 + i]];
            }
            break;
    }
}

void WriteIndexed(Bitmap& bmp, std::uint8_t* row, int x0, int count, const std::uint32_t* in) {
    IndexCache nearest(bmp.colors);
    switch (bmp.info.bitCount) {
        case 1:
            for (int i = 0, x = x0; i < count; ++i, ++x) {
                // Black and white device rasters keep exactly white as white; everything else is black.
                const unsigned bit =
                    bmp.deviceDependent ? (in[i] & 0xFFFFFF) == 0xFFFFFF : nearest(in[i]) & 1;
                const auto m = std::uint8_t(0x80 >> (x & 7));
                row[x >> 3] = bit ? (row[x >> 3] | m) : (row[x >> 3] & ~m);
            }
            break;
        case 4:
            for (int i = 0, x = x0; i < count; ++i, ++x) {
                const unsigned index = nearest(in[i]) & 0x0F;
                std::uint8_t& b = row[x >> 1];
                b = (x & 1) ? std::uint8_t((b & 0xF0) | index) : std::uint8_t((b & 0x0F) | (index << 4));
            }
            break;
        default:
            for (int i = 0; i < count; ++i) row[x0 + i] = std::uint8_t(nearest(in[i]));
            break;
    }
}

bool InsideRow(const Bitmap& bmp, int y, int x0, int count) {
    return y >= 0 && y < bmp.Height() && x0 >= 0 && count >= 0 && std::int64_t(x0) + count <= bmp.Width();
}

}  // namespace

void ReadRow32(const Bitmap& bmp, int y, int x0, int count, std::uint32_t* out) {
    if (!InsideRow(bmp, y, x0, count)) return;
    const std::uint8_t* row = bmp.ScanLine(y);
    switch (bmp.info.bitCount) {
        case 1:
        case 4:
        case 8:
            ReadIndexed(bmp, row, x0, count, out);
            break;
        case 16:
            ReadMasked(row, x0, count, 2, Masks16(bmp), out);
            break;
        case 24: {
            const std::uint8_t* p = row + std::ptrdiff_t(x0) * 3;
            for (int i = 0; i < count; ++i, p += 3) out[i] = p[0] | (p[1] << 8) | (std::uint32_t(p[2]) << 16);
            break;
        }
        case 32:
            if (PlainRgb32(bmp)) {
                std::memcpy(out, row + std::ptrdiff_t(x0) * 4, std::size_t(count) * 4);
                for (int i = 0; i < count; ++i) out[i] &= 0xFFFFFF;
            } else {
                ReadMasked(row, x0, count, 4, bmp.masks, out);
            }
            break;
        default:
            std::memset(out, 0, std::size_t(count) * 4);
            break;
    }
}

void SampleRow32(const Bitmap& bmp, int y, const int* columns, int count, std::uint32_t* out) {
    if (count <= 0 || !InsideRow(bmp, y, 0, bmp.Width())) return;
    const std::uint8_t* row = bmp.ScanLine(y);
    if (bmp.info.bitCount == 24) {
        for (int i = 0; i < count; ++i) {
            const std::uint8_t* p = row + std::ptrdiff_t(columns[i]) * 3;
            out[i] = p[0] | (p[1] << 8) | (std::uint32_t(p[2]) << 16);
        }
        return;
    }
    if (bmp.info.bitCount == 32 && PlainRgb32(bmp)) {
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(row);
        for (int i = 0; i < count; ++i) out[i] = pixels[columns[i]] & 0xFFFFFF;
        return;
    }
    // Packed, indexed and masked rows are unpacked whole first.
    std::vector<std::uint32_t> whole(std::size_t(bmp.Width()));
    ReadRow32(bmp, y, 0, bmp.Width(), whole.data());
    for (int i = 0; i < count; ++i) out[i] = whole[std::size_t(columns[i])];
}

void WriteRow32(Bitmap& bmp, int y, int x0, int count, const std::uint32_t* in) {
    if (!InsideRow(bmp, y, x0, count)) return;
    std::uint8_t* row = bmp.ScanLine(y);
    switch (bmp.info.bitCount) {
        case 1:
        case 4:
        case 8:
            WriteIndexed(bmp, row, x0, count, in);
            break;
        case 16:
            WriteMasked(row, x0, count, 2, Masks16(bmp), in);
            break;
        case 24: {
            std::uint8_t* p = row + std::ptrdiff_t(x0) * 3;
            for (int i = 0; i < count; ++i, p += 3) {
                p[0] = std::uint8_t(in[i]), p[1] = std::uint8_t(in[i] >> 8), p[2] = std::uint8_t(in[i] >> 16);
            }
            break;
        }
        case 32:
            if (PlainRgb32(bmp)) {
                std::uint8_t* p = row + std::ptrdiff_t(x0) * 4;
                for (int i = 0; i < count; ++i, p += 4) {
                    const std::uint32_t px = in[i] & 0xFFFFFF;
                    std::memcpy(p, &px, 4);
                }
            } else {
                WriteMasked(row, x0, count, 4, bmp.masks, in);
            }
            break;
        default:
            break;
    }
}

}  // namespace platform
