#include "platform/FolderWalk.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform {

namespace {

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// One folder's entries: files into the listing, subfolders onto `pending`.
void ReadFolder(const std::string& root, const std::string& relative, FolderListing& listing,
                std::vector<std::string>& pending) {
    const std::string path = relative.empty() ? root : Join(root, relative);
    DIR* dir = opendir(path.c_str());
    if (!dir) {
        listing.unreadable.emplace_back(relative, std::strerror(errno));
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.') continue;
        const std::string child = Join(relative, name);
        struct stat info {};
        if (lstat(Join(root, child).c_str(), &info) != 0) continue;
        if (S_ISDIR(info.st_mode)) {
            pending.push_back(child);
            continue;
        }
        // A link counts as what it points to, unless that is a folder.
        if (S_ISLNK(info.st_mode) && stat(Join(root, child).c_str(), &info) != 0) continue;
        if (S_ISREG(info.st_mode)) listing.files.push_back(child);
    }
    closedir(dir);
}

}  // namespace

FolderListing ListFilesUnder(const std::string& folder) {
    FolderListing listing;
    std::vector<std::string> pending{std::string()};
    while (!pending.empty()) {
        const std::string relative = pending.back();
        pending.pop_back();
        ReadFolder(folder, relative, listing, pending);
    }
    std::sort(listing.files.begin(), listing.files.end());
    std::sort(listing.unreadable.begin(), listing.unreadable.end());
    return listing;
}

bool MakeFolders(const std::string& folder, std::string& error) {
    std::string::size_type next = 0;
    while (next != std::string::npos) {
        next = folder.find('/', next + 1);
        const std::string part = folder.substr(0, next);
        if (part.empty() || mkdir(part.c_str(), 0777) == 0 || errno == EEXIST) continue;
        error = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return true;
    error = std::strerror(ENOTDIR);
    return false;
}

}  // namespace platform
