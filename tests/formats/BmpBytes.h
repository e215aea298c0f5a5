#pragma once
// The builder of the test files in BMP layouts (BMP, the images inside ICO files, ICO directories):
// little-endian fields appended in file order, so a fixture reads like the layout it builds. It writes
// its own bytes rather than through the readers' helpers, so a fault there cannot hide in both.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

class BmpBytes {
public:
    BmpBytes& U8(std::uint32_t v) { return Put(v, 1); }
    BmpBytes& U16(std::uint32_t v) { return Put(v, 2); }
    BmpBytes& U32(std::uint32_t v) { return Put(v, 4); }
    BmpBytes& Raw(std::initializer_list<std::uint8_t> bytes) {
        data.insert(data.end(), bytes.begin(), bytes.end());
        return *this;
    }
    BmpBytes& Raw(const std::vector<std::uint8_t>& bytes) {
        data.insert(data.end(), bytes.begin(), bytes.end());
        return *this;
    }
    BmpBytes& Fill(std::size_t count, std::uint8_t value) {
        data.insert(data.end(), count, value);
        return *this;
    }
    // The 40-byte info header; both resolutions are `pelsPerMeter`.
    BmpBytes& InfoHeader(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression,
                         std::uint32_t sizeImage, std::uint32_t pelsPerMeter, std::uint32_t clrUsed) {
        // header size, width, height; planes, bit count, compression, image size; resolutions, colours
        // used, colours important
        U32(40).U32(std::uint32_t(width)).U32(std::uint32_t(height));
        U16(1).U16(std::uint32_t(bits)).U32(compression).U32(sizeImage);
        return U32(pelsPerMeter).U32(pelsPerMeter).U32(clrUsed).U32(0);
    }
    std::vector<std::uint8_t> data;

private:
    BmpBytes& Put(std::uint32_t v, int size) {
        for (int i = 0; i < size; ++i) data.push_back(std::uint8_t(v >> (8 * i)));
        return *this;
    }
};
