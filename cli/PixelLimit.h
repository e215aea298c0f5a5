#pragma once
#include <cstdint>
#include <string>

#include "core/TGraphic.h"

// --max-pixels: a picture of more pixels is refused with EOutOfResources "Out of system
// resources". With `jpegOutput`, a picture with a side longer than the JPEG codec writes is refused
// with the codec's error. A BMP file is checked from its header before it is read, since reading
// makes its raster at once; other kinds are checked once loaded, before anything decodes or draws
// them.
void CheckBmpPixelLimit(const std::string& source, std::int64_t limit, bool jpegOutput = false);
void CheckPixelLimit(const TGraphic& graphic, std::int64_t limit, bool jpegOutput = false);
