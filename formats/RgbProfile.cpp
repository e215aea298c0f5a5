#include "formats/RgbProfile.h"

#include <cstring>

namespace {

constexpr std::size_t HeaderSize = 128;
constexpr std::size_t TagCountSize = 4;

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

}  // namespace

bool IsRgbProfile(const std::vector<std::uint8_t>& profile) {
    if (profile.size() < HeaderSize + TagCountSize) return false;
    const std::uint8_t* p = profile.data();
    return BigEndian32(p) == profile.size() && std::memcmp(p + 36, "acsp", 4) == 0 &&
           std::memcmp(p + 16, "RGB ", 4) == 0;
}
