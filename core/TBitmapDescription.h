#pragma once
#include <cstdint>

#include "platform/Bitmap.h"

// What a TBitmap's store says about its raster besides the pixels. It is kept while there are no
// pixels (a width set alone, a format chosen before the size), and it is plain data: copying it is
// one assignment, so a store copied with or without its pixels cannot miss a field.
struct TBitmapDescription {
    platform::BitmapInfoHeader description;  // the full info header
    std::uint32_t masks[3] = {0, 0, 0};
    bool hasLayout = false;       // false: empty and never given a layout (rfDevice)
    bool deviceDependent = true;  // layout when no raster exists yet
    bool monochrome = false;      // device-dependent black and white
    platform::HPALETTE palette;   // optional palette
    bool coreHeader = false;      // read from a file with the 12-byte core header
    bool halftone = false;
};
