#pragma once
#include <string>

namespace platform {

// What a path names, by device and inode rather than by its text, so that names reached through
// symbolic links or written differently compare equal when they are the same file: "dev:ino" for
// an existing file; for a missing one whose folder exists, the folder's "dev:ino" and the name;
// otherwise the path made absolute.
std::string FileIdentity(const std::string& path);

}  // namespace platform
