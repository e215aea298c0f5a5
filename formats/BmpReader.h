#pragma once
#include "core/TBitmap.h"
#include "core/TStream.h"

// Reads a BMP file from the stream's position to its end into the bitmap. A zero-length stream
// empties the bitmap. On failure the bitmap keeps its raster.
void ReadBmp(TBitmap& bitmap, TStream& stream);
