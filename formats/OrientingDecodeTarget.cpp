#include "formats/OrientingDecodeTarget.h"

#include <algorithm>
#include <cstring>

namespace {

// Rows per band: the band of a 4000-pixel colour picture is 750 KB. A turned band writes this many
// pixels together into each destination row; each destination row (a page of its own in a large
// picture) is visited once per band, so fewer, taller bands cost fewer page-table misses.
constexpr int BandRows = 64;
// Stored columns turned together: as many upright rows are written side by side.
constexpr int TileColumns = 16;

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
// y becomes upright column y (5, 8) or height - 1 - y (6, 7). Done in tiles of TileColumns stored
// columns, so that each stored row is read in short runs and each of the tile's upright rows is
// written pixel after pixel.
void OrientingDecodeTarget::PlaceBandTurned() {
    const bool columnsReversed = orientation_ == 7 || orientation_ == 8;
    const bool rowsReversed = orientation_ == 6 || orientation_ == 7;
    const std::ptrdiff_t rowBytes = std::ptrdiff_t(width_) * pixelBytes_;
    // The band's first row lands at this column, the next ones one column further on (or back).
    const int firstColumn = rowsReversed ? height_ - 1 - bandFirst_ : bandFirst_;
    const std::ptrdiff_t columnStep = rowsReversed ? -pixelBytes_ : pixelBytes_;
    std::uint8_t* to[TileColumns];
    for (int x0 = 0; x0 < width_; x0 += TileColumns) {
        const int columns = std::min(TileColumns, width_ - x0);
        for (int k = 0; k < columns; ++k)
            to[k] =
                upright_.Row(columnsReversed ? width_ - 1 - (x0 + k) : x0 + k) + firstColumn * pixelBytes_;
        const std::uint8_t* from = band_.data() + std::ptrdiff_t(x0) * pixelBytes_;
        for (int i = 0; i < bandRows_; ++i, from += rowBytes) {
            const std::ptrdiff_t at = i * columnStep;
            if (pixelBytes_ == 3) {
                for (int k = 0; k < columns; ++k) {
                    to[k][at] = from[3 * k];
                    to[k][at + 1] = from[3 * k + 1];
                    to[k][at + 2] = from[3 * k + 2];
                }
            } else {
                for (int k = 0; k < columns; ++k) to[k][at] = from[k];
            }
        }
    }
}
