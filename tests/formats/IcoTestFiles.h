#pragma once
// Small file builders for the icon and header-summary tests: BMP and ICO files written field by field.
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace icotest {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, std::uint32_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
inline void Put32(Bytes& b, std::uint32_t v) {
    for (int s = 0; s < 32; s += 8) b.push_back(std::uint8_t(v >> s));
}
inline std::uint32_t Get16(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}
inline std::uint32_t Get32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}
inline Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A 40-byte info header.
inline void PutInfoHeader(Bytes& b, int width, int height, int bitCount, std::uint32_t sizeImage,
                          std::uint32_t colorsUsed) {
    Put32(b, 40);
    Put32(b, std::uint32_t(width));
    Put32(b, std::uint32_t(height));
    Put16(b, 1);
    Put16(b, bitCount);
    Put32(b, 0);
    Put32(b, sizeImage);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, colorsUsed);
    Put32(b, 0);
}

inline std::size_t Stride(int width, int bitCount) {
    return std::size_t((width * bitCount + 31) / 32) * 4;
}

// A 24-bit bottom-up BMP; `color` gives 0x00BBGGRR for (x, y), y from the top.
inline Bytes MakeBmp24(int width, int height, const std::function<std::uint32_t(int, int)>& color) {
    const std::size_t stride = Stride(width, 24);
    Bytes b;
    b.push_back('B');
    b.push_back('M');
    Put32(b, std::uint32_t(54 + stride * height));
    Put32(b, 0);
    Put32(b, 54);
    PutInfoHeader(b, width, height, 24, std::uint32_t(stride * height), 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = color(x, y);
            b.push_back(std::uint8_t(c >> 16));  // blue
            b.push_back(std::uint8_t(c >> 8));   // green
            b.push_back(std::uint8_t(c));        // red
        }
        b.resize(b.size() + stride - width * 3, 0);
    }
    return b;
}

// One image of an ICO file: a colour image of 1, 4, 8 (indexes into `table`, 0x00RRGGBB) or 32 bits
// (0xAARRGGBB) per pixel and its AND mask, both given per pixel with y from the top.
struct IcoImage {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::vector<std::uint32_t> table;
    std::function<std::uint32_t(int, int)> pixel;
    std::function<bool(int, int)> transparent;
};

inline Bytes MakeIcoImageData(const IcoImage& im) {
    const std::size_t colorStride = Stride(im.width, im.bitCount);
    const std::size_t maskStride = Stride(im.width, 1);
    Bytes b;
    PutInfoHeader(b, im.width, im.height * 2, im.bitCount, std::uint32_t(colorStride * im.height),
                  std::uint32_t(im.table.size()));
    for (std::uint32_t c : im.table) Put32(b, c);
    for (int y = im.height - 1; y >= 0; --y) {
        Bytes row(colorStride, 0);
        for (int x = 0; x < im.width; ++x) {
            const std::uint32_t v = im.pixel(x, y);
            if (im.bitCount == 32) {
                for (int k = 0; k < 4; ++k) row[4 * x + k] = std::uint8_t(v >> (8 * k));
            } else {
                const int perByte = 8 / im.bitCount;
                row[x / perByte] |= std::uint8_t(v << (8 - im.bitCount * (x % perByte + 1)));
            }
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    for (int y = im.height - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < im.width; ++x)
            if (im.transparent(x, y)) row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

// An ICO file of the images in order; `colorCounts` gives each entry's 16-bit colour count.
inline Bytes MakeIco(const std::vector<IcoImage>& images, const std::vector<std::uint32_t>& colorCounts) {
    Bytes b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, std::uint32_t(images.size()));
    std::vector<Bytes> data;
    std::uint32_t offset = std::uint32_t(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        data.push_back(MakeIcoImageData(images[i]));
        b.push_back(std::uint8_t(images[i].width));
        b.push_back(std::uint8_t(images[i].height));
        Put16(b, colorCounts[i]);
        Put16(b, 1);
        Put16(b, images[i].bitCount);
        Put32(b, std::uint32_t(data.back().size()));
        Put32(b, offset);
        offset += std::uint32_t(data.back().size());
    }
    for (const Bytes& d : data) b.insert(b.end(), d.begin(), d.end());
    return b;
}

}  // namespace icotest
