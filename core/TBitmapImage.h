#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/TBitmapDescription.h"
#include "core/TSharedImage.h"
#include "platform/Bitmap.h"

// The pixel store of a TBitmap, shared by copies until one of them changes: the description, the
// raster and the file bytes kept with it.
class TBitmapImage : public TSharedImage, public TBitmapDescription {
public:
    TBitmapImage() = default;
    explicit TBitmapImage(const TBitmapDescription& plain) : TBitmapDescription(plain) {}  // no pixels yet

    TBitmapDescription& Description() { return *this; }
    const TBitmapDescription& Description() const { return *this; }

    std::unique_ptr<platform::Bitmap> handle;  // the raster; none while empty
    std::vector<std::uint8_t> savedStream;  // kept file bytes (compressed BMPs only), never without a raster
};
