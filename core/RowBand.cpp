#include "core/RowBand.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "core/TBitmap.h"

RowBand::RowBand(const TBitmap& raster, int top, int bottom) {
    const platform::Bitmap* pixels = raster.Image()->handle.get();
    if (!pixels) return;
    width_ = pixels->Width();
    height_ = pixels->Height();
    bitCount_ = pixels->BitCount();
    rowBytes_ = std::size_t(pixels->Stride());
    top_ = std::clamp(top, 0, height_);
    rows_ = std::clamp(bottom, top_, height_) - top_;
    bytes_.resize(rowBytes_ * std::size_t(rows_));
    for (int row = 0; row < rows_; ++row)
        std::memcpy(bytes_.data() + std::size_t(row) * rowBytes_, pixels->ScanLine(top_ + row), rowBytes_);
}

void RowBand::SwapWith(TBitmap& raster) {
    if (rows_ == 0) return;
    const platform::Bitmap* pixels = raster.Image()->handle.get();
    if (!pixels || pixels->Width() != width_ || pixels->Height() != height_ ||
        pixels->BitCount() != bitCount_ || std::size_t(pixels->Stride()) != rowBytes_)
        throw std::logic_error("a band of rows goes back only to a raster of the layout it was kept from");
    for (int row = 0; row < rows_; ++row) {
        std::uint8_t* kept = bytes_.data() + std::size_t(row) * rowBytes_;
        std::swap_ranges(kept, kept + rowBytes_, raster.Row(top_ + row));
    }
    raster.Changed();
}

bool RowBand::CoversAWrite(const TBitmap& raster) {
    const TBitmapImage& store = *raster.Image();
    const bool noCounts = store.description.clrUsed == 0 && store.description.clrImportant == 0;
    const bool noRasterCounts =
        !store.handle || (store.handle->info.clrUsed == 0 && store.handle->info.clrImportant == 0);
    return store.savedStream.empty() && noCounts && noRasterCounts;
}
