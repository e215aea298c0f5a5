#pragma once
#include <cstdint>
#include <string>

namespace platform {

// The folder for scratch files: $TMPDIR when set, else /tmp.
std::string TempFolder();

// Writes everything on standard input into the file at `path`. False with the system's text.
bool CopyStandardInputTo(const std::string& path, std::string& error);

// Writes the file at `path` to standard output. A reader that has gone away (a closed pipe) is an
// error like any other instead of ending the process by SIGPIPE, so the caller can clean up.
// False with the system's text.
bool CopyFileToStandardOutput(const std::string& path, std::string& error);

}  // namespace platform
