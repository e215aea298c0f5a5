#pragma once
// Pictures, encoding, file reading and JPEG marker parsing shared by the JPEG tests and benchmark.
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/TBitmap.h"
#include "core/TBitmapImage.h"
#include "formats/TJPEGImage.h"

// A smooth, photo-like colour: broad gradients, a few waves and a little deterministic grain.
inline std::array<std::uint8_t, 3> PhotoPixel(int x, int y) {  // blue, green, red
    std::uint32_t h = std::uint32_t(x) * 73856093u ^ std::uint32_t(y) * 19349663u;
    h = (h ^ (h >> 13)) * 0x5bd1e995u;
    const int grain = int(h >> 28) - 8;
    auto clamp = [](double v) { return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); };
    const double r = 120 + 70 * std::sin(x * 0.011) + 40 * std::cos(y * 0.017 + x * 0.003) + grain;
    const double g = 110 + 60 * std::cos(x * 0.007 - y * 0.009) + 30 * std::sin(y * 0.031) + grain;
    const double b = 100 + 50 * std::sin((x + y) * 0.013) + 45 * std::cos(x * 0.021) + grain;
    return {clamp(b), clamp(g), clamp(r)};
}

inline void FillRows(platform::Bitmap& raster) {
    for (int y = 0; y < raster.Height(); ++y) {
        std::uint8_t* row = raster.ScanLine(y);
        for (int x = 0; x < raster.Width(); ++x) {
            auto p = PhotoPixel(x, y);
            row[3 * x] = p[0], row[3 * x + 1] = p[1], row[3 * x + 2] = p[2];
        }
    }
}

// A 24-bit photo-like raster, rows stored bottom-up (or top-down).
inline void MakePhoto(TBitmap& bmp, int width, int height, bool topDown = false) {
    platform::BitmapInfoHeader header;
    header.width = width;
    header.height = topDown ? -height : height;
    header.bitCount = 24;
    auto image = std::make_shared<TBitmapImage>();
    image->handle = platform::Bitmap::CreateDib(header, {});
    FillRows(*image->handle);
    image->deviceDependent = false;
    bmp.AssignImage(image);
}

// Two halves of pure colours (TColor values), left and right.
inline void MakeHalves(TBitmap& bmp, int width, int height, TColor left, TColor right) {
    bmp.SetRasterFormat(rf24Bit);
    bmp.SetWidth(width);
    bmp.SetHeight(height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bmp.Row(y);
        for (int x = 0; x < width; ++x) {
            TColor c = x < width / 2 ? left : right;
            row[3 * x] = platform::GetBValue(c), row[3 * x + 1] = platform::GetGValue(c),
                    row[3 * x + 2] = platform::GetRValue(c);
        }
    }
}

// The JPEG file our own encoder makes of `bmp`.
inline std::vector<std::uint8_t> EncodeBitmap(TBitmap& bmp, int quality = 90, bool gray = false,
                                              bool progressive = false) {
    TJPEGImage jpeg;
    jpeg.CopyFrom(&bmp);
    JpegWriteSettings settings;
    settings.quality = quality;
    settings.grayscale = gray;
    settings.progressive = progressive;
    jpeg.Encode(settings);
    return jpeg.Store()->Bytes->Data();
}

inline std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The markers of a JPEG file up to its first scan: code and payload (without the length).
inline std::vector<std::pair<int, std::vector<std::uint8_t>>> JpegMarkers(
    const std::vector<std::uint8_t>& file) {
    std::vector<std::pair<int, std::vector<std::uint8_t>>> markers;
    std::size_t i = 2;
    while (i + 4 <= file.size() && file[i] == 0xFF) {
        const int code = file[i + 1];
        const std::size_t length = std::size_t(file[i + 2]) << 8 | file[i + 3];
        if (length < 2 || i + 2 + length > file.size()) break;
        markers.emplace_back(code, std::vector<std::uint8_t>(file.begin() + std::ptrdiff_t(i + 4),
                                                             file.begin() + std::ptrdiff_t(i + 2 + length)));
        if (code == 0xDA) break;
        i += 2 + length;
    }
    return markers;
}

// The 8-bit quantisation tables by table number, in natural (row by row) order.
inline std::map<int, std::array<int, 64>> QuantTables(const std::vector<std::uint8_t>& file) {
    static const int zigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                   12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                   35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                   58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    std::map<int, std::array<int, 64>> tables;
    for (auto& [code, payload] : JpegMarkers(file)) {
        if (code != 0xDB) continue;
        for (std::size_t i = 0; i + 65 <= payload.size(); i += 65) {
            std::array<int, 64> t{};
            for (int k = 0; k < 64; ++k) t[std::size_t(zigzag[k])] = payload[i + 1 + std::size_t(k)];
            tables[payload[i] & 0x0F] = t;
        }
    }
    return tables;
}

// Peak signal-to-noise ratio between two 24-bit rasters of one size, in dB.
inline double Psnr(TBitmap& a, TBitmap& b) {
    double sum = 0;
    for (int y = 0; y < a.Height(); ++y) {
        const std::uint8_t* ra = a.Row(y);
        const std::uint8_t* rb = b.Row(y);
        for (int i = 0; i < a.Width() * 3; ++i) sum += (ra[i] - rb[i]) * (ra[i] - rb[i]);
    }
    const double mse = sum / (double(a.Width()) * a.Height() * 3);
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}
