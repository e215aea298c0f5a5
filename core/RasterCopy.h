#pragma once
#include <cstdint>

#include "platform/Bitmap.h"

// Bulk pixel moves between rasters of any layout, row by row.
namespace raster {

// Sets every pixel to one colour (0x00RRGGBB; indexed rasters take the nearest entry).
void Fill(platform::Bitmap& bmp, std::uint32_t pixel);

// Copies the area both rasters cover, anchored at the top-left corner, pixel for pixel without
// scaling. Identical layouts copy bytes; others carry each pixel's colour over.
void CopyTopLeft(const platform::Bitmap& src, platform::Bitmap& dst);

// Writes `dst` (same size, black-and-white) from `src`: pixels exactly `white` (0x00RRGGBB) become
// white, all others black.
void ToBlackAndWhite(const platform::Bitmap& src, platform::Bitmap& dst, std::uint32_t white);

}  // namespace raster
