#include "formats/OrientingDecodeTarget.h"

#include <algorithm>
#include <cstring>

namespace {

// Rows per band: the band of a 4000-pixel colour picture is under 200 KB, and the turned block
// writes this many pixels together into each destination row.
constexpr int BandRows = 16;

void CopyPixel(std::uint8_t* to, const std::uint8_t* from, int bytes) {
    to[0] = from[0];
    if (bytes == 3) {
        to[1] = from[1];
        to[2] = from[2];
    }
}

}  // namespace

bool OrientationSwapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

OrientingDecodeTarget::OrientingDecodeTarget(JpegDecodeTarget& upright, int orientation, int bytesPerPixel)
    : upright_(upright), orientation_(orientation), pixelBytes_(bytesPerPixel) {}

void OrientingDecodeTarget::Begin(int width, int height) {
    width_ = width;
    height_ = height;
    if (OrientationSwapsSides(orientation_))
        upright_.Begin(height, width);
    else
        upright_.Begin(width, height);
    band_.assign(std::size_t(BandRows) * std::size_t(width) * std::size_t(pixelBytes_), 0);
    bandFirst_ = -1;
    bandRows_ = 0;
}

std::uint8_t* OrientingDecodeTarget::Row(int y) {
    if (bandFirst_ >= 0 && (y < bandFirst_ || y >= bandFirst_ + BandRows)) FlushBand();
    if (bandFirst_ < 0) bandFirst_ = y - y % BandRows;
    bandRows_ = std::max(bandRows_, y - bandFirst_ + 1);
    return band_.data() + std::size_t(y - bandFirst_) * std::size_t(width_) * std::size_t(pixelBytes_);
}

void OrientingDecodeTarget::PassDone() {
    FlushBand();
    upright_.PassDone();
}

void OrientingDecodeTarget::FlushBand() {
    if (bandFirst_ < 0) return;
    if (OrientationSwapsSides(orientation_)) {
        PlaceBandTurned();
    } else {
        const std::size_t rowBytes = std::size_t(width_) * std::size_t(pixelBytes_);
        for (int i = 0; i < bandRows_; ++i) PlaceRowFlipped(band_.data() + i * rowBytes, bandFirst_ + i);
    }
    bandFirst_ = -1;
    bandRows_ = 0;
}

// Orientations 1..4: the row keeps its length, mirrored and/or moved to the other end.
void OrientingDecodeTarget::PlaceRowFlipped(const std::uint8_t* row, int y) {
    const bool mirrored = orientation_ == 2 || orientation_ == 3;
    const bool upsideDown = orientation_ == 3 || orientation_ == 4;
    std::uint8_t* to = upright_.Row(upsideDown ? height_ - 1 - y : y);
    if (!mirrored) {
        std::memcpy(to, row, std::size_t(width_) * std::size_t(pixelBytes_));
        return;
    }
    for (int x = 0; x < width_; ++x)
        CopyPixel(to + (width_ - 1 - x) * pixelBytes_, row + x * pixelBytes_, pixelBytes_);
}

// Orientations 5..8: stored column x becomes upright row x (5, 6) or width - 1 - x (7, 8); stored row
// y becomes upright column y (5, 8) or height - 1 - y (6, 7).
void OrientingDecodeTarget::PlaceBandTurned() {
    const bool columnsReversed = orientation_ == 7 || orientation_ == 8;
    const bool rowsReversed = orientation_ == 6 || orientation_ == 7;
    const std::size_t rowBytes = std::size_t(width_) * std::size_t(pixelBytes_);
    for (int x = 0; x < width_; ++x) {
        std::uint8_t* to = upright_.Row(columnsReversed ? width_ - 1 - x : x);
        const std::uint8_t* from = band_.data() + std::size_t(x) * std::size_t(pixelBytes_);
        for (int i = 0; i < bandRows_; ++i, from += rowBytes) {
            const int y = bandFirst_ + i;
            CopyPixel(to + (rowsReversed ? height_ - 1 - y : y) * pixelBytes_, from, pixelBytes_);
        }
    }
}
