#pragma once
#include <cstdint>
#include <string>

namespace platform {

// The size of the first directory entry matching `path`, or -1 when nothing matches (an empty path
// matches nothing). The name part may hold the wildcards "*" and "?"; entries of every kind match,
// and a folder counts as size 0. The full 64-bit size is kept, so files past 2 GiB report truly.
std::int64_t QueryFileSize(const std::string& path);

// Wildcard match of one name: "*" any run of characters, "?" exactly one; nothing else is special.
bool MatchesWildcard(const std::string& name, const std::string& pattern);

}  // namespace platform
