#include "formats/BgrRows.h"

#include "core/TBitmap.h"
#include "core/TBitmapImage.h"

BgrRows::BgrRows(const TBitmap& raster) : width_(raster.Width()), height_(raster.Height()) {
    store_ = raster.Image();
    if (width_ <= 0 || height_ <= 0) {
        width_ = height_ = 0;
        return;
    }
    sharesStore_ = raster.RasterFormat() == rf24Bit && store_->handle;
    if (!sharesStore_) {
        TBitmap converted;
        converted.CopyFrom(const_cast<TBitmap*>(&raster));
        converted.SetRasterFormat(rf24Bit);
        converted.Row(0);  // makes the pixels
        store_ = converted.Image();
    }
    const platform::Bitmap& rows = *store_->handle;
    step_ = rows.TopDown() ? std::ptrdiff_t(rows.Stride()) : -std::ptrdiff_t(rows.Stride());
    top_ = rows.ScanLine(0);
}
