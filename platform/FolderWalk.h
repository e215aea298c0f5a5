#pragma once
#include <string>
#include <vector>

namespace platform {

// What a walk through a folder tree found.
struct FolderListing {
    // Regular files (or links to them, or links that lead nowhere), as paths relative to the
    // folder walked, in byte order.
    std::vector<std::string> files;
    // Folders that could not be read or searched, relative as above, with the system's reason.
    std::vector<std::pair<std::string, std::string>> unreadable;
};

// Walks the tree under `folder`. Hidden names (starting with ".") are skipped, files and folders
// alike, and symbolic links to folders are not followed, so a link cannot lead the walk in circles
// or out of the tree. Other kinds of entry (FIFOs, sockets, devices) are left out.
FolderListing ListFilesUnder(const std::string& folder);

// Creates `folder` and any missing folders above it. Another process making the same folder at
// the same moment is fine. False with the system's text in `error`.
bool MakeFolders(const std::string& folder, std::string& error);

}  // namespace platform
