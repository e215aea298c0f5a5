#include "formats/IcoReader.h"

#include <cstdlib>
#include <limits>

#include "core/Errors.h"
#include "core/LittleEndianBytes.h"
#include "platform/Ceilings.h"
#include "platform/DeviceContext.h"

namespace {

constexpr std::size_t DirectorySize = 6;
constexpr std::size_t EntrySize = 16;
constexpr std::uint32_t MinInfoHeaderSize = 40;

[[noreturn]] void Invalid() {
    throw EInvalidGraphic(ErrorText::InvalidIcon);
}

// Decoded pixels of one image, rows from the top.
struct IconPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> colors;  // 0x00RRGGBB
    std::vector<std::uint8_t> mask;     // 1 = transparent
};

// A bounds-checked view of one entry's image data.
class ImageData {
public:
    ImageData(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Has(std::uint64_t offset, std::uint64_t count) const {
        return offset <= size_ && count <= size_ - offset;
    }
    const std::uint8_t* At(std::uint64_t offset) const { return data_ + offset; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

struct ImageLayout {
    int width = 0;
    int height = 0;  // one image: the stored height halved
    int bitCount = 0;
    std::uint64_t tableOffset = 0;
    std::uint32_t tableCount = 0;
    std::uint64_t colorOffset = 0;
    std::uint64_t colorStride = 0;
    std::uint64_t maskOffset = 0;
    std::uint64_t maskStride = 0;
    bool hasMask = true;
};

ImageLayout ReadLayout(const ImageData& data) {
    if (!data.Has(0, MinInfoHeaderSize)) Invalid();
    const std::uint8_t* h = data.At(0);
    const std::uint32_t headerSize = le::Get32(h);
    ImageLayout l;
    l.width = le::GetS32(h + 4);
    const std::int32_t storedHeight = le::GetS32(h + 8);
    l.bitCount = le::Get16(h + 14);
    const std::uint32_t compression = le::Get32(h + 16);
    const std::uint32_t colorsUsed = le::Get32(h + 32);
    if (headerSize < MinInfoHeaderSize || compression != platform::BI_RGB) Invalid();
    if (l.bitCount != 1 && l.bitCount != 4 && l.bitCount != 8 && l.bitCount != 24 && l.bitCount != 32)
        Invalid();
    l.height = storedHeight / 2;
    if (l.width <= 0 || l.width > platform::MaxIconImageSide || l.height <= 0 ||
        l.height > platform::MaxIconImageSide)
        Invalid();

    const std::uint32_t fullTable = l.bitCount <= 8 ? (1u << l.bitCount) : 0;
    l.tableCount = colorsUsed > 0 && colorsUsed < fullTable ? colorsUsed : fullTable;
    l.tableOffset = headerSize;
    l.colorOffset = l.tableOffset + 4ull * l.tableCount;
    l.colorStride = std::uint64_t(platform::RowStride(l.width, l.bitCount));
    l.maskOffset = l.colorOffset + l.colorStride * std::uint64_t(l.height);
    l.maskStride = std::uint64_t(platform::RowStride(l.width, 1));
    if (!data.Has(l.colorOffset, l.colorStride * std::uint64_t(l.height))) Invalid();
    l.hasMask = data.Has(l.maskOffset, l.maskStride * std::uint64_t(l.height));
    // Only images with an alpha channel can do without their AND mask.
    if (!l.hasMask && l.bitCount != 32) Invalid();
    return l;
}

std::vector<std::uint32_t> ReadColorTable(const ImageData& data, const ImageLayout& l) {
    std::vector<std::uint32_t> table(l.bitCount <= 8 ? (1u << l.bitCount) : 0, 0);  // missing entries black
    for (std::uint32_t i = 0; i < l.tableCount; ++i) {
        const std::uint8_t* q = data.At(l.tableOffset + 4ull * i);
        table[i] = (std::uint32_t(q[2]) << 16) | (std::uint32_t(q[1]) << 8) | q[0];
    }
    return table;
}

void DecodeColorRow(const std::uint8_t* src, const ImageLayout& l, const std::vector<std::uint32_t>& table,
                    std::uint32_t* out, std::uint8_t* alpha) {
    for (int x = 0; x < l.width; ++x) {
        switch (l.bitCount) {
            case 1:
                out[x] = table[(src[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                out[x] = table[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
                break;
            case 8:
                out[x] = table[src[x]];
                break;
            case 24:
                out[x] =
                    (std::uint32_t(src[3 * x + 2]) << 16) | (std::uint32_t(src[3 * x + 1]) << 8) | src[3 * x];
                break;
            default:
                out[x] =
                    (std::uint32_t(src[4 * x + 2]) << 16) | (std::uint32_t(src[4 * x + 1]) << 8) | src[4 * x];
                alpha[x] = src[4 * x + 3];
                break;
        }
    }
}

IconPixels DecodeImage(const ImageData& data) {
    const ImageLayout l = ReadLayout(data);
    const std::vector<std::uint32_t> table = ReadColorTable(data, l);
    IconPixels p;
    p.width = l.width;
    p.height = l.height;
    const std::size_t count = std::size_t(l.width) * std::size_t(l.height);
    p.colors.assign(count, 0);
    p.mask.assign(count, 0);
    std::vector<std::uint8_t> alpha(l.bitCount == 32 ? count : 0, 0);
    bool anyAlpha = false;
    for (int y = 0; y < l.height; ++y) {
        const std::uint64_t stored = std::uint64_t(l.height - 1 - y);  // rows are stored bottom-up
        const std::size_t start = std::size_t(y) * std::size_t(l.width);
        DecodeColorRow(data.At(l.colorOffset + stored * l.colorStride), l, table, p.colors.data() + start,
                       alpha.empty() ? nullptr : alpha.data() + start);
        if (l.hasMask) {
            const std::uint8_t* m = data.At(l.maskOffset + stored * l.maskStride);
            for (int x = 0; x < l.width; ++x) p.mask[start + x] = (m[x >> 3] >> (7 - (x & 7))) & 1;
        }
    }
    for (std::uint8_t a : alpha) anyAlpha = anyAlpha || a != 0;
    if (anyAlpha) {
        // The alpha channel decides; transparent pixels get no colour, so drawing leaves the target as is.
        for (std::size_t i = 0; i < count; ++i) {
            p.mask[i] = alpha[i] < 128 ? 1 : 0;
            if (p.mask[i]) p.colors[i] = 0;
        }
    }
    return p;
}

// Nearest-neighbour stretch of both planes to width x height.
IconPixels Stretch(const IconPixels& src, int width, int height) {
    if (src.width == width && src.height == height) return src;
    IconPixels out;
    out.width = width;
    out.height = height;
    out.colors.resize(std::size_t(width) * std::size_t(height));
    out.mask.resize(out.colors.size());
    for (int y = 0; y < height; ++y) {
        const std::size_t srcRow =
            std::size_t(std::int64_t(y) * src.height / height) * std::size_t(src.width);
        for (int x = 0; x < width; ++x) {
            const std::size_t s = srcRow + std::size_t(std::int64_t(x) * src.width / width);
            out.colors[std::size_t(y) * width + x] = src.colors[s];
            out.mask[std::size_t(y) * width + x] = src.mask[s];
        }
    }
    return out;
}

std::uint32_t ScreenColors() {
    const int bits = platform::ScreenBitsPerPixel * platform::ScreenPlanes;
    return bits <= 8 ? (1u << bits) : 0;
}

std::uint64_t Unlimited(std::uint32_t colors) {
    return colors == 0 ? std::numeric_limits<std::uint64_t>::max() : colors;
}

bool FitsAtLeastAsWell(int value, int best, int wanted) {
    const int d = value - wanted;
    const int d0 = best - wanted;
    return std::abs(d) <= std::abs(d0) && (d <= 0 || d <= d0);
}

}  // namespace

int IcoFileType(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < DirectorySize) Invalid();
    const int type = le::Get16(bytes.data() + 2);
    if (type != 0 && type != 1) Invalid();
    return type;
}

std::vector<IcoEntry> ReadIcoEntries(const std::vector<std::uint8_t>& bytes) {
    IcoFileType(bytes);
    const std::size_t count = le::Get16(bytes.data() + 4);
    if (count == 0 || bytes.size() - DirectorySize < count * EntrySize) Invalid();
    std::vector<IcoEntry> entries(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = bytes.data() + DirectorySize + i * EntrySize;
        entries[i].width = e[0] == 0 ? 256 : e[0];
        entries[i].height = e[1] == 0 ? 256 : e[1];
        entries[i].colors = le::Get16(e + 2);
        entries[i].size = le::Get32(e + 8);
        entries[i].offset = le::Get32(e + 12);
    }
    return entries;
}

int ChooseIcoEntry(const std::vector<IcoEntry>& entries, int wantedWidth, int wantedHeight,
                   std::uint32_t screenColors) {
    int best = 0;
    for (int i = 1; i < int(entries.size()); ++i) {
        const IcoEntry& e = entries[i];
        const IcoEntry& b = entries[best];
        if (Unlimited(e.colors) <= Unlimited(screenColors) && Unlimited(e.colors) >= Unlimited(b.colors) &&
            FitsAtLeastAsWell(e.width, b.width, wantedWidth) &&
            FitsAtLeastAsWell(e.height, b.height, wantedHeight))
            best = i;
    }
    return best;
}

platform::IconHandle ReadIcoHandle(const std::vector<std::uint8_t>& bytes, int wantedWidth, int wantedHeight,
                                   int& width, int& height) {
    if (IcoFileType(bytes) == 0) {
        width = height = 0;
        return platform::IconHandle(platform::DefaultApplicationIcon());  // never destroyed
    }
    const std::vector<IcoEntry> entries = ReadIcoEntries(bytes);
    const IcoEntry& entry = entries[ChooseIcoEntry(entries, wantedWidth, wantedHeight, ScreenColors())];
    if (entry.offset > bytes.size() || entry.size > bytes.size() - entry.offset) Invalid();
    if (entry.width * entry.height > platform::MaxIconEntryPixels) Invalid();
    const IconPixels pixels =
        Stretch(DecodeImage(ImageData(bytes.data() + entry.offset, entry.size)), entry.width, entry.height);
    platform::IconHandle icon = platform::CreateIcon(pixels.width, pixels.height, pixels.colors, pixels.mask);
    if (!icon) Invalid();
    width = entry.width;
    height = entry.height;
    return icon;
}
