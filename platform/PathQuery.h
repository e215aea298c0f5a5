#pragma once
#include <string>

namespace platform {

// Facts about paths on disk, as the command-line program needs them.
bool IsDirectory(const std::string& path);
// True when both paths name one existing file (through links, "..", or different spellings).
bool IsSameFile(const std::string& a, const std::string& b);
// True when the standard error stream is a terminal.
bool StderrIsTerminal();

}  // namespace platform
