#include "formats/BmpHeaderProbe.h"

#include "core/LittleEndianBytes.h"
#include "formats/DecodedRaster.h"

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t CoreHeaderSize = 12;
constexpr std::size_t HeadersNeeded = FileHeaderSize + 12;  // then the header size and both dimensions

}  // namespace

std::optional<DeclaredSize> BmpDeclaredSize(TStream& stream) {
    std::uint8_t bytes[HeadersNeeded] = {};
    // A file too short to declare a size makes no raster; the reader reports it.
    if (ReadUpTo(stream, bytes, sizeof bytes) != sizeof bytes) return std::nullopt;
    const std::uint8_t* header = bytes + FileHeaderSize;
    if (le::Get32(header) == CoreHeaderSize)
        return DeclaredSize{le::Get16(header + 4), le::Get16(header + 6)};
    const std::int64_t height = le::GetS32(header + 8);
    return DeclaredSize{le::GetS32(header + 4), height < 0 ? -height : height};
}
