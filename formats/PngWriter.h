#pragma once
#include <string>

class TBitmap;

// Writes `raster` to `path` as an 8-bit RGB PNG file, with its colour profile (iCCP) when it holds
// an RGB one. Lossless; rows go out one at a time. A failure of the library raises EInvalidGraphic
// naming its reason; a failed write raises the stream's own error.
void WritePngFile(const TBitmap& raster, const std::string& path);
