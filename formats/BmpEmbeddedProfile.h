#pragma once
#include <cstdint>
#include <vector>

#include "core/TStream.h"

// The colour profile a BMP file with a 124-byte (or longer) header embeds: the header names it as
// embedded and gives its offset from the header's start and its size. `fileStart` is where the file
// begins in `stream`, `fileSize` its length. A profile whose place is not wholly inside the file, or
// overlaps the headers, is ignored (empty), as is one that cannot be read; the stream is left where
// it was.
std::vector<std::uint8_t> ReadBmpEmbeddedProfile(TStream& stream, std::int64_t fileStart,
                                                 std::int64_t fileSize,
                                                 const std::vector<std::uint8_t>& infoHeader);
