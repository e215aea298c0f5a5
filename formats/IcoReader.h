#pragma once
#include <cstdint>
#include <vector>

#include "platform/Icon.h"

// One entry of an ICO file's directory.
struct IcoEntry {
    int width = 0;  // the width byte; 0 stands for 256
    int height = 0;
    std::uint32_t colors = 0;  // the 16-bit colour count; 0 = unlimited
    std::uint32_t size = 0;    // bytes of the image data
    std::uint32_t offset = 0;  // where the image data starts in the file
};

// The directory's type: 0 or 1. Anything shorter than the 6-byte directory, or another type:
// EInvalidGraphic "Icon image is not valid".
int IcoFileType(const std::vector<std::uint8_t>& bytes);

// The entries of a type-1 file; none, or entries past the end of the bytes: EInvalidGraphic.
std::vector<IcoEntry> ReadIcoEntries(const std::vector<std::uint8_t>& bytes);

// The index of the entry that fits the wanted size and the screen's colour count (0 = unlimited)
// best; later entries win ties. `entries` must not be empty.
int ChooseIcoEntry(const std::vector<IcoEntry>& entries, int wantedWidth, int wantedHeight,
                   std::uint32_t screenColors);

// The platform icon of an ICO file at the entry ChooseIcoEntry picks for the screen, stretched to
// the entry's size, which `width` and `height` receive. Type 0 gives the default application icon
// (size 0 x 0). Damaged data: EInvalidGraphic "Icon image is not valid".
platform::IconHandle ReadIcoHandle(const std::vector<std::uint8_t>& bytes, int wantedWidth, int wantedHeight,
                                   int& width, int& height);
