#include "core/InvertColors.h"

#include <cstdint>
#include <cstring>

#include "core/TBitmap.h"

namespace {

// Complements `count` bytes, eight at a time where possible.
void ComplementBytes(std::uint8_t* bytes, std::size_t count) {
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        word = ~word;
        std::memcpy(bytes + i, &word, 8);
    }
    for (; i < count; ++i) bytes[i] = std::uint8_t(~bytes[i]);
}

}  // namespace

TBitmap& InvertColors(TBitmap& picture) {
    picture.SetRasterFormat(rf24Bit);
    const int height = picture.Height();
    const std::size_t pixelBytes = std::size_t(picture.Width()) * 3;
    for (int y = 0; y < height; ++y) ComplementBytes(picture.Row(y), pixelBytes);
    return picture;
}
