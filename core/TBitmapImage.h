#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/TSharedImage.h"
#include "platform/Bitmap.h"

// The pixel store of a TBitmap, shared by copies until one of them changes.
class TBitmapImage : public TSharedImage {
public:
    std::unique_ptr<platform::Bitmap> handle;  // the raster; none while empty
    platform::BitmapInfoHeader description;    // full description, kept while empty (a width set alone)
    std::uint32_t masks[3] = {0, 0, 0};
    bool hasLayout = false;                    // false: empty and never given a layout (rfDevice)
    bool deviceDependent = true;               // layout when no handle exists yet
    bool monochrome = false;                   // device-dependent black and white
    platform::HPALETTE palette;                // optional palette
    bool coreHeader = false;                   // read from a file with the 12-byte core header
    bool halftone = false;
    std::vector<std::uint8_t> savedStream;     // kept file bytes (compressed BMPs only)

    std::shared_ptr<TBitmapImage> Clone() const;
};
