#include "cli/PixelLimit.h"

#include <algorithm>
#include <cctype>

#include "core/Errors.h"
#include "core/LittleEndianBytes.h"
#include "core/TStream.h"
#include "formats/JpegCodec.h"
#include "formats/PictureLoading.h"

namespace {

constexpr std::size_t CoreHeaderSize = 12;
constexpr std::size_t HeadersNeeded = 14 + 12;  // file header, then the size and both dimensions

void Refuse(std::int64_t width, std::int64_t height, std::int64_t limit, bool jpegOutput) {
    if (width * height > limit) throw EOutOfResources(ErrorText::OutOfResources);
    if (jpegOutput) CheckJpegWritable(width, height);  // edits turn the picture at most, keeping its sides
}

bool IsBmp(const std::string& path) {
    std::string extension = ExtractExtension(path);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension == "bmp";
}

}  // namespace

void CheckBmpPixelLimit(const std::string& source, std::int64_t limit, bool jpegOutput) {
    if (!IsBmp(source)) return;
    std::uint8_t bytes[HeadersNeeded] = {};
    {
        TFileStream file(source, fmOpenRead);
        // A file too short to declare a size makes no raster; the reader reports it.
        if (file.Read(bytes, sizeof bytes) != sizeof bytes) return;
    }
    const std::uint8_t* header = bytes + 14;
    if (le::Get32(header) == CoreHeaderSize)
        return Refuse(le::Get16(header + 4), le::Get16(header + 6), limit, jpegOutput);
    const std::int64_t height = le::GetS32(header + 8);
    Refuse(le::GetS32(header + 4), height < 0 ? -height : height, limit, jpegOutput);
}

void CheckPixelLimit(const TGraphic& graphic, std::int64_t limit, bool jpegOutput) {
    Refuse(graphic.Width(), graphic.Height(), limit, jpegOutput);
}
