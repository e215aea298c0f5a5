#include "formats/ExifOrientation.h"

#include <libexif/exif-data.h>
#include <libexif/exif-utils.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr std::uint8_t ExifPrefix[] = {'E', 'x', 'i', 'f', 0, 0};

struct ExifDataRelease {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};
using ExifDataPtr = std::unique_ptr<ExifData, ExifDataRelease>;

// The block as libexif parses it; nothing is added or dropped, so that a rewrite keeps every tag.
ExifDataPtr Parse(const std::vector<std::uint8_t>& exif) {
    if (exif.empty() || exif.size() > 0xFFFF) return nullptr;
    ExifDataPtr data(exif_data_new());
    if (!data) return nullptr;
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    std::vector<std::uint8_t> prefixed(std::begin(ExifPrefix), std::end(ExifPrefix));
    prefixed.insert(prefixed.end(), exif.begin(), exif.end());
    exif_data_load_data(data.get(), prefixed.data(), unsigned(prefixed.size()));
    return data;
}

// The orientation entry, when it is one SHORT.
ExifEntry* OrientationEntry(ExifData* data) {
    ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (!entry || entry->format != EXIF_FORMAT_SHORT || entry->components != 1 || !entry->data ||
        entry->size < 2)
        return nullptr;
    return entry;
}

}  // namespace

int ReadExifOrientation(const std::vector<std::uint8_t>& exif) {
    ExifDataPtr data = Parse(exif);
    if (!data) return 1;
    ExifEntry* entry = OrientationEntry(data.get());
    if (!entry) return 1;
    const int value = exif_get_short(entry->data, exif_data_get_byte_order(data.get()));
    return value >= 1 && value <= 8 ? value : 1;
}

std::vector<std::uint8_t> ExifWithUprightOrientation(const std::vector<std::uint8_t>& exif) {
    ExifDataPtr data = Parse(exif);
    if (!data) return {};
    if (ExifEntry* entry = OrientationEntry(data.get()))
        exif_set_short(entry->data, exif_data_get_byte_order(data.get()), 1);
    unsigned char* saved = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data.get(), &saved, &size);
    std::vector<std::uint8_t> result;
    // libexif writes the block behind the same six-byte prefix it reads.
    if (saved && size > sizeof ExifPrefix) result.assign(saved + sizeof ExifPrefix, saved + size);
    std::free(saved);
    return result;
}
