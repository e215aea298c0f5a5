#include "formats/BmpEmbeddedProfile.h"

#include "core/LittleEndianBytes.h"
#include "formats/BmpHeaders.h"

namespace {

constexpr std::size_t V5HeaderSize = 124;
constexpr std::size_t ColorSpaceTypeAt = 56;
constexpr std::size_t ProfileDataAt = 112;
constexpr std::size_t ProfileSizeAt = 116;
constexpr std::uint32_t ProfileEmbedded = 0x4D424544;  // 'MBED'

}  // namespace

std::vector<std::uint8_t> ReadBmpEmbeddedProfile(TStream& stream, std::int64_t fileStart,
                                                 std::int64_t fileSize,
                                                 const std::vector<std::uint8_t>& infoHeader) {
    if (infoHeader.size() < V5HeaderSize) return {};
    const std::uint8_t* header = infoHeader.data();
    if (le::Get32(header + ColorSpaceTypeAt) != ProfileEmbedded) return {};
    // The offset counts from the start of the info header, which follows the file header.
    const std::int64_t offset = std::int64_t(FileHeaderSize) + le::Get32(header + ProfileDataAt);
    const std::int64_t size = le::Get32(header + ProfileSizeAt);
    const std::int64_t headersEnd = std::int64_t(FileHeaderSize + infoHeader.size());
    if (size == 0 || offset < headersEnd || offset > fileSize || size > fileSize - offset) return {};
    const std::int64_t resume = stream.Position();
    std::vector<std::uint8_t> profile(static_cast<std::size_t>(size));
    try {
        stream.SetPosition(fileStart + offset);
        if (stream.Read(profile.data(), profile.size()) != profile.size()) profile.clear();
    } catch (const std::exception&) {
        profile.clear();  // the picture stands without its profile
    }
    stream.SetPosition(resume);
    return profile;
}
