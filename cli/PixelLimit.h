#pragma once
#include <cstdint>
#include <string>

#include "core/TGraphic.h"

// --max-pixels: a picture of more pixels is refused with EOutOfResources "Out of system
// resources". With `jpegOutput`, a picture with a side longer than the JPEG codec writes is refused
// with the codec's error. A file whose kind declares its size in a header (BMP, PNG, WebP, TIFF,
// GIF) is checked from that header before it is read, since reading makes its raster at once;
// other kinds are checked once loaded, before anything decodes or draws them.
void CheckDeclaredPixelLimit(const std::string& source, std::int64_t limit, bool jpegOutput = false);
void CheckPixelLimit(const TGraphic& graphic, std::int64_t limit, bool jpegOutput = false);
