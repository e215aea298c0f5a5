#pragma once
#include <cstdint>
#include <vector>

// What a picture file says about its pixels besides the pixels, kept so that a saved copy shows
// the same colours (the colour profile) and, on request, carries the rest.
struct TPictureMetadata {
    std::vector<std::uint8_t> iccProfile;  // the embedded colour profile, whole; empty: none
    std::vector<std::uint8_t> exif;        // the EXIF block (TIFF structure, no "Exif" prefix)
    std::vector<std::uint8_t> xmp;         // the XMP packet
    int orientation = 1;                   // as found (1..8); readers hand out upright pixels

    bool Empty() const { return iccProfile.empty() && exif.empty() && xmp.empty() && orientation == 1; }
};
