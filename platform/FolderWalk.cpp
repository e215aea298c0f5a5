#include "platform/FolderWalk.h"

#include <dirent.h>
#include <fcntl.h>
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

// What an entry of a folder is, looked up relative to the open folder so that the length of the
// whole path does not matter. A link counts as what it points to, unless that is a folder; a link
// that leads nowhere counts as a file, which then fails to load with its reason.
enum class EntryKind { File, Folder, Other, Gone, Unknown };

EntryKind KindOf(int folder, const char* name) {
    struct stat info {};
    if (fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? EntryKind::Gone : EntryKind::Unknown;
    if (S_ISDIR(info.st_mode)) return EntryKind::Folder;
    if (S_ISLNK(info.st_mode) && fstatat(folder, name, &info, 0) != 0) return EntryKind::File;
    return S_ISREG(info.st_mode) ? EntryKind::File : EntryKind::Other;
}

// One folder's entries: files into the listing, subfolders onto `pending`. A folder whose entries
// cannot be looked at (readable but not searchable) is reported once, as unreadable.
void ReadFolder(const std::string& root, const std::string& relative, FolderListing& listing,
                std::vector<std::string>& pending) {
    const std::string path = relative.empty() ? root : Join(root, relative);
    DIR* dir = opendir(path.c_str());
    if (!dir) {
        listing.unreadable.emplace_back(relative, std::strerror(errno));
        return;
    }
    bool reported = false;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.') continue;
        const std::string child = Join(relative, name);
        switch (KindOf(dirfd(dir), name.c_str())) {
            case EntryKind::File:
                listing.files.push_back(child);
                break;
            case EntryKind::Folder:
                pending.push_back(child);
                break;
            case EntryKind::Unknown:
                if (!reported) listing.unreadable.emplace_back(relative, std::strerror(errno));
                reported = true;
                break;
            case EntryKind::Other:
            case EntryKind::Gone:
                break;
        }
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
