#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"

// Decodes BMP run-length data (8-bit or 4-bit indices) into a 32-bit device raster whose pixels
// start black. Rows are counted from the bottom as the data runs. Pixels the data skips stay
// black; runs past the end of a row, rows past the top and data past the buffer are cut off there.
void DecodeRle(const std::uint8_t* data, std::size_t size, bool fourBit,
               const std::vector<platform::RGBQuad>& colors, platform::Bitmap& target);
