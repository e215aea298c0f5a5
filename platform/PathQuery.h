#pragma once
#include <cstdint>
#include <string>

namespace platform {

// Facts about paths on disk, as the command-line program needs them.
bool IsDirectory(const std::string& path);
// True when both paths name one existing file (through links, "..", or different spellings).
bool IsSameFile(const std::string& a, const std::string& b);
// The size in bytes of the file at `path`, or -1 when there is none.
std::int64_t FileSize(const std::string& path);
// True when both files exist and `path` was modified later than `than` (to the nanosecond, where
// the file system keeps that).
bool IsNewerFile(const std::string& path, const std::string& than);
// True when the standard error stream is a terminal.
bool StderrIsTerminal();

}  // namespace platform
