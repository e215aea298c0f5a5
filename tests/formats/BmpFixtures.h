#pragma once
// Helpers for the BMP tests: files built field by field, loading from memory, reading pixels back.
#include <cstdint>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "core/TBitmap.h"
#include "core/TStream.h"
#include "platform/Bitmap.h"
#include "tests/formats/BmpBytes.h"

// File header and 40-byte info header; the caller appends masks, colour table and pixels.
inline BmpBytes InfoFile(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression = 0,
                         std::uint32_t clrUsed = 0, std::uint32_t offBits = 0, std::uint32_t sizeImage = 0) {
    BmpBytes b;
    b.U16(0x4D42).U32(0).U32(0).U32(offBits);  // "BM", file size, reserved, pixel offset
    b.InfoHeader(width, height, bits, compression, sizeImage, 2835, clrUsed);
    return b;
}

inline TMemoryStream StreamOf(const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream;
    if (!bytes.empty()) stream.Write(bytes.data(), bytes.size());
    stream.SetPosition(0);
    return stream;
}

inline void Load(TBitmap& bitmap, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream = StreamOf(bytes);
    bitmap.ReadFromStream(stream);
}

// "Class: message" of the error loading raises, or "" when it loads.
inline std::string LoadError(const std::vector<std::uint8_t>& bytes) {
    TBitmap bitmap;
    try {
        Load(bitmap, bytes);
    } catch (const Exception& e) {
        return std::string(e.ClassName()) + ": " + e.Message();
    }
    return "";
}

// The pixels of a loaded raster as 0x00RRGGBB, row 0 at the top.
inline std::vector<std::uint32_t> Pixels(const TBitmap& bitmap) {
    const platform::Bitmap& raster = *bitmap.Image()->handle;
    std::vector<std::uint32_t> out(std::size_t(raster.Width()) * raster.Height());
    for (int y = 0; y < raster.Height(); ++y)
        platform::ReadRow32(raster, y, 0, raster.Width(), out.data() + std::size_t(y) * raster.Width());
    return out;
}
