#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/Ceilings.h"  // the largest raster this stand-in makes
#include "platform/Color.h"

namespace platform {

struct RGBQuad {
    std::uint8_t blue = 0, green = 0, red = 0, reserved = 0;
};

// The 40-byte BMP info header, field for field.
struct BitmapInfoHeader {
    std::uint32_t size = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive: rows stored bottom-up; negative: top-down
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;  // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
};

constexpr std::uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

// Bytes in one stored row: rows start on 4-byte boundaries.
constexpr std::int64_t RowStride(std::int64_t width, int bitCount) {
    return ((width * bitCount + 31) / 32) * 4;
}

// Memory for raster rows. Blocks of several megabytes are taken in huge pages where the system
// offers them: a fresh raster (an edit's copy of rows kept by the window's history) is then
// faulted in a few dozen pieces rather than thousands, and a few freed ones are kept for the next
// raster of their size. Throws std::bad_alloc.
void* AllocateRasterBytes(std::size_t bytes);
void FreeRasterBytes(void* block, std::size_t bytes) noexcept;  // `bytes` as allocated

// Raster rows: allocated without a zero fill, which costs as much as the reading itself when a
// reader overwrites every row anyway. Makers that promise zeros clear the rows themselves.
template <class T>
struct NoFillAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = NoFillAllocator<U>;
    };
    NoFillAllocator() = default;
    template <class U>
    NoFillAllocator(const NoFillAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(AllocateRasterBytes(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreeRasterBytes(p, n * sizeof(T)); }
    template <class U>
    void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};
using RasterRows = std::vector<std::uint8_t, NoFillAllocator<std::uint8_t>>;

// The platform's raster object; an HBITMAP points at one.
// A device-independent raster keeps the rows of its header in memory. A device-dependent one
// (deviceDependent) is held as 32-bit top-down rows (blue, green, red, unused), or as a 1-bit
// monochrome raster (black 0, white 1) when monochrome.
class Bitmap {
public:
    BitmapInfoHeader info;
    std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue bit fields
    std::vector<RGBQuad> colors;         // colour table (indexed formats), or the palette
    RasterRows bits;                     // rows in storage order
    bool deviceDependent = false;

    int Width() const { return info.width; }
    int Height() const { return info.height < 0 ? -info.height : info.height; }
    bool TopDown() const { return info.height < 0; }
    int BitCount() const { return info.bitCount; }
    std::int64_t Stride() const { return RowStride(info.width, info.bitCount); }
    bool Monochrome() const { return info.bitCount == 1 && deviceDependent; }

    // Row y counted from the top of the picture, whichever order the rows are stored in; null
    // outside the raster. Inline: per-pixel access goes through it.
    std::uint8_t* ScanLine(int y) { return const_cast<std::uint8_t*>(std::as_const(*this).ScanLine(y)); }
    const std::uint8_t* ScanLine(int y) const {
        const int height = Height();
        if (y < 0 || y >= height) return nullptr;
        return bits.data() + (TopDown() ? y : height - 1 - y) * Stride();
    }

    // A new all-zero raster; throws EOutOfResources-like platform::RasterError past the ceilings.
    // `zeroed` false leaves the rows as allocated, for a caller that writes every byte of them.
    static std::unique_ptr<Bitmap> CreateDib(const BitmapInfoHeader& header,
                                             const std::vector<RGBQuad>& colors,
                                             const std::uint32_t masks[3] = nullptr, bool zeroed = true);
    static std::unique_ptr<Bitmap> CreateDevice(int width, int height);      // 32-bit, device-dependent
    static std::unique_ptr<Bitmap> CreateMonochrome(int width, int height);  // 1-bit, device-dependent
    std::unique_ptr<Bitmap> Clone() const;
};

using HBITMAP = Bitmap*;

// Thrown by the raster makers when a raster cannot be made (too large, invalid header).
struct RasterError {
    int code;  // 0: no system error code (callers report "Bitmap image is not valid" or "Out of system
               // resources")
    const char* message;
};

// Pixel transfer between any raster layout and 32-bit colour rows (0x00RRGGBB per pixel, that is
// bytes blue, green, red, 0 in memory). `x0`, `count` must lie inside the row.
void ReadRow32(const Bitmap& bmp, int y, int x0, int count, std::uint32_t* out);
// Indexed rasters store the nearest colour-table entry.
void WriteRow32(Bitmap& bmp, int y, int x0, int count, const std::uint32_t* in);
// The pixels of row y at the given columns (each inside the row), in the same form: a stretch
// that drops most of a wide row reads only what it keeps from plain 24- and 32-bit rows.
void SampleRow32(const Bitmap& bmp, int y, const int* columns, int count, std::uint32_t* out);

// Nearest entry of a colour table to an RGB colour (TColor order).
int NearestColorIndex(const std::vector<RGBQuad>& table, TColor rgb);

// The platform's 16-colour system table (entries 0..15) and a halftone table made for the screen.
const std::vector<RGBQuad>& SystemPalette16();
std::vector<RGBQuad> HalftonePalette();

}  // namespace platform

namespace platform {
using Palette = std::vector<RGBQuad>;
using HPALETTE = std::shared_ptr<const Palette>;  // a logical palette; shared, never changed once made
}  // namespace platform
