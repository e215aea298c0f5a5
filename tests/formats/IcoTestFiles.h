#pragma once
// Small file builders for the icon and header-summary tests: BMP and ICO files written field by field.
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "tests/formats/BmpBytes.h"

namespace icotest {

using Bytes = std::vector<std::uint8_t>;

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

inline std::size_t Stride(int width, int bitCount) {
    return std::size_t((width * bitCount + 31) / 32) * 4;
}

// A 24-bit bottom-up BMP; `color` gives 0x00BBGGRR for (x, y), y from the top.
inline Bytes MakeBmp24(int width, int height, const std::function<std::uint32_t(int, int)>& color) {
    const std::size_t stride = Stride(width, 24);
    BmpBytes b;
    // "BM", file size, reserved, pixel offset
    b.Raw({'B', 'M'}).U32(std::uint32_t(54 + stride * height)).U32(0).U32(54);
    b.InfoHeader(width, height, 24, 0, std::uint32_t(stride * height), 0, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = color(x, y);
            b.U8(c >> 16).U8(c >> 8).U8(c);  // blue, green, red
        }
        b.Fill(stride - width * 3, 0);
    }
    return b.data;
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
    BmpBytes b;
    b.InfoHeader(im.width, im.height * 2, im.bitCount, 0, std::uint32_t(colorStride * im.height), 0,
                 std::uint32_t(im.table.size()));
    for (std::uint32_t c : im.table) b.U32(c);
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
        b.Raw(row);
    }
    for (int y = im.height - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < im.width; ++x)
            if (im.transparent(x, y)) row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
        b.Raw(row);
    }
    return b.data;
}

// An ICO file of the images in order; `colorCounts` gives each entry's 16-bit colour count.
inline Bytes MakeIco(const std::vector<IcoImage>& images, const std::vector<std::uint32_t>& colorCounts) {
    BmpBytes b;
    b.U16(0).U16(1).U16(std::uint32_t(images.size()));  // reserved, type (icon), count
    std::vector<Bytes> data;
    std::uint32_t offset = std::uint32_t(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        data.push_back(MakeIcoImageData(images[i]));
        b.U8(images[i].width).U8(images[i].height).U16(colorCounts[i]);  // size, colour count
        b.U16(1).U16(images[i].bitCount);                                // planes, bit count
        b.U32(std::uint32_t(data.back().size())).U32(offset);            // bytes, offset
        offset += std::uint32_t(data.back().size());
    }
    for (const Bytes& d : data) b.Raw(d);
    return b.data;
}

}  // namespace icotest
