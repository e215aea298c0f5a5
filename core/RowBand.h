#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class TBitmap;

// A band of a raster's rows, kept as their stored bytes: what an edit that writes only those rows
// needs to be undone, instead of a copy of the whole raster.
class RowBand {
public:
    // Keeps rows [top, bottom) of `raster` (clipped to it), reading them without a change step.
    RowBand(const TBitmap& raster, int top, int bottom);

    // Exchanges the kept rows with the raster's own, which must have the layout they were kept
    // from (std::logic_error otherwise, before anything is written): done twice, both are back.
    void SwapWith(TBitmap& raster);

    std::size_t Bytes() const { return bytes_.size(); }

    // Whether a write to `raster`'s rows changes nothing else of its store (no kept file bytes
    // and no colour counts to drop), so putting the rows back restores the store entirely.
    static bool CoversAWrite(const TBitmap& raster);

private:
    int top_ = 0, rows_ = 0;
    int width_ = 0, height_ = 0, bitCount_ = 0;
    std::size_t rowBytes_ = 0;
    std::vector<std::uint8_t> bytes_;
};
