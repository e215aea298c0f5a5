#pragma once
#include <cstdint>
#include <vector>

// The orientation tag of an EXIF block (TIFF structure, no "Exif" prefix), read with libexif.
// 1 (as stored) when the block is absent, unreadable or holds no valid value.
int ReadExifOrientation(const std::vector<std::uint8_t>& exif);

// The same block with its orientation set to 1, for pixels that have been turned upright. Empty when
// libexif cannot read the block back, so that a copy never carries a stale orientation.
std::vector<std::uint8_t> ExifWithUprightOrientation(const std::vector<std::uint8_t>& exif);
