#pragma once
#include <string>

namespace platform {

// Where writing to a path really lands once the symbolic links of its last part are followed, so
// that an output named through a link replaces the file the link names, never the link itself.
struct LinkTarget {
    // The end of the chain: the path itself when it is no link, the file to create when the last
    // link dangles.
    std::string path;
    // The chain reached a link of the process file system (/dev/stdout -> /proc/self/fd/1), which
    // names an open file rather than a path: it is written through, not replaced.
    bool openFile = false;
    // For an open file of this process: its descriptor; -1 otherwise.
    int descriptor = -1;
};

// Follows the links of `path`'s last part (those of its folders need no following: the rename
// goes through them). False with the system's text for a loop of links.
bool FollowLinks(const std::string& path, LinkTarget& target, std::string& error);

}  // namespace platform
