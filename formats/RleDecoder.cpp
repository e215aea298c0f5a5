#include "formats/RleDecoder.h"

#include <algorithm>
#include <array>

namespace {

class RleTarget {
public:
    RleTarget(platform::Bitmap& target, const std::vector<platform::RGBQuad>& colors)
        : target_(target), width_(target.Width()), height_(target.Height()) {
        // Indices past the table show black, like pixels the data never reaches.
        for (std::size_t i = 0; i < colors.size() && i < palette_.size(); ++i) palette_[i] = colors[i];
    }

    bool Done() const { return y_ >= height_; }
    void EndOfLine() {
        x_ = 0;
        ++y_;
    }
    // Pixels left in the current row; a run goes no further, the rest of it would land nowhere.
    int RowRoom() const { return width_ - x_; }
    void Move(int dx, int dy) {
        x_ = std::min(x_ + dx, width_);
        y_ = std::min(y_ + dy, height_);
    }
    // Writes one pixel at the cursor and advances it; nothing lands past the row's end.
    void Put(std::uint8_t index) {
        if (x_ < width_ && y_ < height_) {
            std::uint8_t* p = target_.ScanLine(height_ - 1 - y_) + 4 * std::size_t(x_);
            const platform::RGBQuad& c = palette_[index];
            p[0] = c.blue, p[1] = c.green, p[2] = c.red, p[3] = 0;
        }
        x_ = std::min(x_ + 1, width_);
    }

private:
    platform::Bitmap& target_;
    std::array<platform::RGBQuad, 256> palette_{};
    int width_, height_;
    int x_ = 0, y_ = 0;
};

// The pixel `k` of a run whose bytes are `bytes`: a whole byte, or a nibble high first.
std::uint8_t RunPixel(const std::uint8_t* bytes, int k, bool fourBit) {
    if (!fourBit) return bytes[k];
    const std::uint8_t b = bytes[k / 2];
    return (k % 2 == 0) ? std::uint8_t(b >> 4) : std::uint8_t(b & 0x0F);
}

}  // namespace

void DecodeRle(const std::uint8_t* data, std::size_t size, bool fourBit,
               const std::vector<platform::RGBQuad>& colors, platform::Bitmap& target) {
    RleTarget out(target, colors);
    std::size_t i = 0;
    while (i + 2 <= size && !out.Done()) {
        const int count = data[i];
        const std::uint8_t value = data[i + 1];
        i += 2;
        if (count > 0) {  // encoded run: `count` pixels of one byte (two alternating nibbles in 4-bit)
            const std::uint8_t pair[2] = {value, value};
            const int pixels = std::min(count, out.RowRoom());
            for (int k = 0; k < pixels; ++k) out.Put(RunPixel(pair, k % 2, fourBit));
            continue;
        }
        if (value == 0) {
            out.EndOfLine();
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (i + 2 > size) return;
            out.Move(data[i], data[i + 1]);
            i += 2;
        } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
            const std::size_t runBytes = fourBit ? (value + 1) / 2 : value;
            const std::size_t available = std::min(runBytes, size - i);
            const int pixels = std::min(
                int(std::min<std::size_t>(value, fourBit ? available * 2 : available)), out.RowRoom());
            for (int k = 0; k < pixels; ++k) out.Put(RunPixel(data + i, k, fourBit));
            i += std::min(size - i, (runBytes + 1) & ~std::size_t(1));
        }
    }
}
