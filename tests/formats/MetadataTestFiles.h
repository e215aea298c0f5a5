#pragma once
// Colour profiles, EXIF blocks and JPEG files holding them, made in the tests: the EXIF block by
// libexif, the JPEG by the codec, so that a fault in our reading cannot hide in the making.
#include <libexif/exif-data.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/PictureMetadata.h"
#include "core/TBitmap.h"
#include "core/TStream.h"
#include "formats/JpegCodec.h"

// A profile for RGB pixels as an ICC header describes one (length, monitor class, RGB data, XYZ
// connection space, signature, D50 illuminant, no tags), then `size - 132` bytes of pattern.
inline std::vector<std::uint8_t> TestProfile(std::size_t size) {
    std::vector<std::uint8_t> p(size);
    for (std::size_t i = 0; i < size; ++i) p[i] = std::uint8_t(i * 7 + 3);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k) p[at + std::size_t(k)] = std::uint8_t(v >> (24 - 8 * k));
    };
    std::memset(p.data(), 0, 132);
    std::memcpy(p.data() + 12, "mntrRGB XYZ ", 12);
    std::memcpy(p.data() + 36, "acsp", 4);
    put32(0, std::uint32_t(size));
    put32(8, 0x02100000);
    put32(68, 0x0000F6D6), put32(72, 0x00010000), put32(76, 0x0000D32D);
    return p;
}

// An EXIF block (no "Exif" prefix) holding just the orientation, in the byte order given.
inline std::vector<std::uint8_t> ExifBlock(int orientation, ExifByteOrder order) {
    ExifData* data = exif_data_new();
    exif_data_set_byte_order(data, order);
    ExifEntry* entry = exif_entry_new();
    exif_content_add_entry(data->ifd[EXIF_IFD_0], entry);
    exif_entry_initialize(entry, EXIF_TAG_ORIENTATION);
    exif_set_short(entry->data, order, ExifShort(orientation));
    exif_entry_unref(entry);
    unsigned char* saved = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data, &saved, &size);
    std::vector<std::uint8_t> block(saved + 6, saved + size);
    std::free(saved);
    exif_data_unref(data);
    return block;
}

// The JPEG file of a 24-bit raster (colour or grey) with these blocks written as given (EXIF as it is).
inline std::vector<std::uint8_t> JpegWithMetadata(TBitmap& raster, const TPictureMetadata& metadata,
                                                  bool gray = false) {
    JpegEncodeSettings settings;
    settings.grayscale = gray;
    settings.width = raster.Width();
    settings.height = raster.Height();
    settings.quality = 92;
    settings.metadata = &metadata;
    settings.keepExif = true;
    TMemoryStream out;
    JpegCompress(settings, raster.Row(0), raster.RowStep(), out, nullptr);
    return out.Data();
}

// The profile a JPEG file's APP2 markers carry, joined in file order.
inline std::vector<std::uint8_t> JoinedApp2Profile(
    const std::vector<std::pair<int, std::vector<std::uint8_t>>>& markers) {
    std::vector<std::uint8_t> profile;
    for (const auto& [code, payload] : markers)
        if (code == 0xE2 && payload.size() > 14 && std::memcmp(payload.data(), "ICC_PROFILE", 12) == 0)
            profile.insert(profile.end(), payload.begin() + 14, payload.end());
    return profile;
}
