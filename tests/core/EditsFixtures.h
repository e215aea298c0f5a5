#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/TBitmap.h"

// Small rasters for the picture-edit tests.

// A width x height raster at 24 bits per pixel, pixel (x, y) coloured colorOf(x, y) (0x00BBGGRR).
inline std::unique_ptr<TBitmap> MakeRaster24(int width, int height,
                                             const std::function<TColor(int, int)>& colorOf) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetWidth(width);
    bitmap->SetHeight(height);
    bitmap->SetRasterFormat(rf24Bit);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap->Row(y);
        for (int x = 0; x < width; ++x) {
            const TColor c = colorOf(x, y);
            row[3 * x] = platform::GetBValue(c);
            row[3 * x + 1] = platform::GetGValue(c);
            row[3 * x + 2] = platform::GetRValue(c);
        }
    }
    return bitmap;
}

// Pixel (x, y) of a 24-bit raster, read from its row (0x00BBGGRR).
inline TColor Pixel24(TBitmap& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.Row(y) + 3 * x;
    return platform::RGB(p[2], p[1], p[0]);
}

// Every pixel of a 24-bit raster, rows from the top.
inline std::vector<TColor> Pixels24(TBitmap& bitmap) {
    std::vector<TColor> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(Pixel24(bitmap, x, y));
    return pixels;
}

// Position-coded colours: each source pixel tells where it came from.
inline TColor PositionColor(int x, int y) {
    return platform::RGB(std::uint8_t(10 + x), std::uint8_t(20 + y), 30);
}

// The rows of a 24-bit raster of position-coded pixels, each pixel named by names[y][x] of the
// position it came from, or "blue" for the fill colour; pixels in a row separated by a space.
inline std::vector<std::string> Describe(TBitmap& bitmap,
                                         const std::vector<std::vector<std::string>>& names) {
    std::vector<std::string> rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::string row;
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor c = Pixel24(bitmap, x, y);
            const int sx = platform::GetRValue(c) - 10, sy = platform::GetGValue(c) - 20;
            std::string name = "?";
            if (c == 0xFF0000)
                name = "blue";
            else if (platform::GetBValue(c) == 30 && sy >= 0 && sy < int(names.size()) && sx >= 0 &&
                     sx < int(names[sy].size()))
                name = names[sy][sx];
            row += (x ? " " : "") + name;
        }
        rows.push_back(row);
    }
    return rows;
}
