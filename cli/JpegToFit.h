#pragma once
#include <cstdint>
#include <string>

class TBitmap;

// Writes `raster` as the save button would, at the highest quality whose file is at most
// `maxSize` bytes, and returns that quality. When even quality 1 makes a larger file, nothing is
// written and the error gives both sizes.
int WriteJpegToFit(TBitmap& raster, std::int64_t maxSize, const std::string& output);
