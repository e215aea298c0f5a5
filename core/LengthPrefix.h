#pragma once
#include <cstdint>
#include <vector>

#include "core/LittleEndianBytes.h"
#include "core/TStream.h"

// The 4-byte little-endian length that stands before a graphic's own bytes in its stored form.
// Callers check the length against what the stream still holds before they allocate for it.
inline std::uint32_t ReadLengthPrefix(TStream& stream) {
    std::uint8_t prefix[4];
    stream.ReadBuffer(prefix, sizeof prefix);
    return le::Get32(prefix);
}

inline void WriteLengthPrefix(TStream& stream, std::uint32_t length) {
    std::vector<std::uint8_t> prefix;
    le::Put32(prefix, length);
    stream.WriteBuffer(prefix.data(), prefix.size());
}
