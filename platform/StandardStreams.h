#pragma once
#include <cstdint>
#include <string>

namespace platform {

// The folder for scratch files: $TMPDIR when set, else /tmp.
std::string TempFolder();

// Writes everything on standard input into the file at `path`. False with the system's text in
// `readError` when standard input failed, in `writeError` when the file did.
bool CopyStandardInputTo(const std::string& path, std::string& readError, std::string& writeError);

// Writes the file at `path` to standard output. A reader that has gone away (a closed pipe) is an
// error like any other instead of ending the process by SIGPIPE, so the caller can clean up.
// False with the system's text.
bool CopyFileToStandardOutput(const std::string& path, std::string& error);
// The same to an open descriptor (a pipe, a file the shell opened, named as /dev/fd/N).
bool CopyFileToDescriptor(const std::string& path, int to, std::string& error);

}  // namespace platform
