#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

class TBitmap;
class TBitmapImage;

// The rows of a raster as 24-bit blue, green, red: the raster's own store when it holds such rows
// (held, so a later change to the raster copies first), else a converted copy.
class BgrRows {
public:
    explicit BgrRows(const TBitmap& raster);
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::uint8_t* Row(int y) const { return top_ + std::ptrdiff_t(y) * step_; }
    std::ptrdiff_t Step() const { return step_; }  // negative for bottom-up rows
    // The rows are the raster's own store (which a later change of the raster copies first).
    bool SharesRasterStore() const { return sharesStore_; }

private:
    std::shared_ptr<TBitmapImage> store_;
    const std::uint8_t* top_ = nullptr;
    std::ptrdiff_t step_ = 0;
    int width_ = 0, height_ = 0;
    bool sharesStore_ = false;
};
