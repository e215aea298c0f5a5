#pragma once
#include <cstdint>
#include <optional>
#include <string>

// A size as du reads one: a whole number of bytes, with K, M or G after it (either case, or KiB,
// MiB, GiB) for powers of 1024, or KB, MB, GB for powers of 1000. None for anything else, zero,
// or past 2^62 bytes.
std::optional<std::int64_t> ParseByteSize(const std::string& text);
