#include "core/ShiftBrightness.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "core/Errors.h"
#include "core/TBitmap.h"

namespace {

// What one channel value becomes: shifted when the result stays a byte, otherwise left alone.
using ChannelTable = std::array<std::uint8_t, 256>;

ChannelTable MakeChannelTable(int delta) {
    ChannelTable table{};
    for (int value = 0; value < 256; ++value) {
        const long shifted = long(value) + delta;
        table[value] = std::uint8_t((shifted >= 0 && shifted <= 255) ? shifted : value);
    }
    return table;
}

struct ChannelTables {
    ChannelTable blue, green, red;  // in the order the channels are stored
};

// The layouts whose pixels are plain blue, green, red bytes (24-bit, and 32-bit without bit fields
// with a fourth byte left as it is), with every row in the store: the ones worked on by rows.
bool HasPlainRows(const TBitmap& picture) {
    const platform::Bitmap* raster = picture.Image()->handle.get();
    if (!raster || raster->Width() <= 0 || raster->Height() <= 0) return false;
    const auto& info = raster->info;
    const bool plain =
        info.bitCount == 24 ||
        (info.bitCount == 32 && (raster->deviceDependent || info.compression == platform::BI_RGB));
    return plain && raster->bits.size() >= std::size_t(raster->Stride()) * std::size_t(raster->Height());
}

// Shifts `width` pixels from `from` into `to` (the same row, or a row of the same layout).
template <int PixelBytes>
void ShiftRow(const std::uint8_t* from, std::uint8_t* to, int width, const ChannelTables& tables) {
    for (int x = 0; x < width; ++x, from += PixelBytes, to += PixelBytes) {
        to[0] = tables.blue[from[0]];
        to[1] = tables.green[from[1]];
        to[2] = tables.red[from[2]];
        if constexpr (PixelBytes == 4) to[3] = from[3];
    }
}

void ShiftRow(const std::uint8_t* from, std::uint8_t* to, int width, int pixelBytes,
              const ChannelTables& tables) {
    if (pixelBytes == 4)
        ShiftRow<4>(from, to, width, tables);
    else
        ShiftRow<3>(from, to, width, tables);
}

void ShiftRowsInPlace(TBitmap& picture, const ChannelTables& tables) {
    const int width = picture.Width(), height = picture.Height();
    const int pixelBytes = picture.Image()->handle->BitCount() / 8;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.Row(y);
        ShiftRow(row, row, width, pixelBytes, tables);
    }
    picture.Changed();
}

// A raster of the same layout as `source`, its rows not yet written.
std::unique_ptr<platform::Bitmap> UnwrittenLike(const platform::Bitmap& source) {
    try {
        auto raster = std::make_unique<platform::Bitmap>();
        raster->info = source.info;
        std::memcpy(raster->masks, source.masks, sizeof raster->masks);
        raster->colors = source.colors;
        raster->deviceDependent = source.deviceDependent;
        raster->bits.resize(source.bits.size());
        return raster;
    } catch (const std::bad_alloc&) {
        throw EOutOfResources(ErrorText::OutOfResources);
    }
}

// The shifted pixels go into a new store, leaving the shared old one to its other holders untouched
// (the window's history keeps it as the step to undo), so the old pixels are read once and never
// copied. Bytes that are no pixel's channels (row padding, the fourth byte) come along unchanged,
// and the new store is what the change in place would have left: no kept file bytes, no counts.
void ShiftRowsIntoNewStore(TBitmap& picture, const ChannelTables& tables) {
    const TBitmapImage& old = *picture.Image();
    const platform::Bitmap& from = *old.handle;
    std::unique_ptr<platform::Bitmap> to = UnwrittenLike(from);
    to->info.clrUsed = to->info.clrImportant = 0;
    const int width = from.Width(), height = from.Height(), pixelBytes = from.BitCount() / 8;
    const std::size_t pixelPart = std::size_t(width) * std::size_t(pixelBytes);
    const std::size_t stride = std::size_t(from.Stride());
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* source = from.ScanLine(y);
        std::uint8_t* target = to->ScanLine(y);
        ShiftRow(source, target, width, pixelBytes, tables);
        std::memcpy(target + pixelPart, source + pixelPart, stride - pixelPart);
    }
    const std::size_t rowsBytes = stride * std::size_t(height);
    std::memcpy(to->bits.data() + rowsBytes, from.bits.data() + rowsBytes, from.bits.size() - rowsBytes);

    auto store = std::make_shared<TBitmapImage>(old.Description());
    store->description.clrUsed = store->description.clrImportant = 0;
    store->handle = std::move(to);
    picture.AssignImage(std::move(store));
}

// Pixel by pixel through the surface, so every other format (indexed ones included) keeps its own
// rules for storing a colour, and every write reaches the picture's holder.
void ShiftPixelsThroughSurface(TBitmap& picture, const ChannelTables& tables) {
    TCanvas& surface = picture.Surface();
    const int height = picture.Height();
    for (int y = 0; y < height; ++y) {
        const int width = picture.Width();
        for (int x = 0; x < width; ++x) {
            const TColor c = surface.ReadPixel(x, y);
            const TColor shifted = TColor(tables.red[c & 0xFF]) | TColor(tables.green[(c >> 8) & 0xFF]) << 8 |
                                   TColor(tables.blue[(c >> 16) & 0xFF]) << 16;
            surface.WritePixel(x, y, shifted);
        }
    }
}

}  // namespace

bool ShiftBrightness(TBitmap& picture, int deltaRed, int deltaGreen, int deltaBlue) {
    if (deltaRed == 0 && deltaGreen == 0 && deltaBlue == 0) return false;

    const ChannelTables tables{MakeChannelTable(deltaBlue), MakeChannelTable(deltaGreen),
                               MakeChannelTable(deltaRed)};
    if (!HasPlainRows(picture))
        ShiftPixelsThroughSurface(picture, tables);
    else if (picture.Image().use_count() > 1)
        ShiftRowsIntoNewStore(picture, tables);
    else
        ShiftRowsInPlace(picture, tables);
    return true;
}
