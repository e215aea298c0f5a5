#include "formats/JpegMetadataWrite.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// A marker's length field counts itself (two bytes) and its data.
constexpr std::size_t MaxMarkerData = 0xFFFF - 2;
// The codec splits a profile over at most 255 markers of this much profile data each.
constexpr std::size_t MaxProfileBytes = 255 * (MaxMarkerData - 14);

constexpr char ExifPrefix[] = "Exif\0";                       // six bytes with the terminator
constexpr char XmpPrefix[] = "http://ns.adobe.com/xap/1.0/";  // and its terminator

void WriteApp1(jpeg_compress_struct& cinfo, const char* prefix, std::size_t prefixLength,
               const std::vector<std::uint8_t>& block) {
    if (block.empty() || prefixLength + block.size() > MaxMarkerData) return;
    jpeg_write_m_header(&cinfo, JPEG_APP0 + 1, unsigned(prefixLength + block.size()));
    for (std::size_t i = 0; i < prefixLength; ++i) jpeg_write_m_byte(&cinfo, std::uint8_t(prefix[i]));
    for (std::uint8_t byte : block) jpeg_write_m_byte(&cinfo, byte);
}

}  // namespace

void WriteJpegMetadata(jpeg_compress_struct& cinfo, const TPictureMetadata& metadata, bool keepExif) {
    if (keepExif) {
        WriteApp1(cinfo, ExifPrefix, sizeof ExifPrefix, metadata.exif);
        WriteApp1(cinfo, XmpPrefix, sizeof XmpPrefix, metadata.xmp);
    }
    const std::vector<std::uint8_t>& profile = metadata.iccProfile;
    if (!profile.empty() && profile.size() <= MaxProfileBytes)
        jpeg_write_icc_profile(&cinfo, profile.data(), unsigned(profile.size()));
}
