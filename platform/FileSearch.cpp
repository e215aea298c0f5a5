#include "platform/FileSearch.h"

#include <dirent.h>
#include <sys/stat.h>

#include <optional>

namespace platform {

namespace {

bool HasWildcards(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
}

std::optional<std::int64_t> EntrySize(const std::string& path) {
    struct stat info {};
    // A dangling link is still an entry: fall back to the link itself.
    if (stat(path.c_str(), &info) != 0 && lstat(path.c_str(), &info) != 0) return std::nullopt;
    return S_ISDIR(info.st_mode) ? 0 : std::int64_t(info.st_size);
}

// The lowest matching name in byte order, so the answer does not depend on the directory's layout.
std::optional<std::string> FirstMatch(const std::string& folder, const std::string& pattern) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return std::nullopt;
    std::optional<std::string> best;
    while (const dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (MatchesWildcard(name, pattern) && (!best || name < *best)) best = name;
    }
    closedir(dir);
    return best;
}

}  // namespace

bool MatchesWildcard(const std::string& name, const std::string& pattern) {
    std::size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::int64_t QueryFileSize(const std::string& path) {
    if (path.empty()) return -1;
    std::size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (!HasWildcards(name)) return EntrySize(path).value_or(-1);
    if (HasWildcards(folder)) return -1;  // wildcards only count in the name part
    std::optional<std::string> match = FirstMatch(folder, name);
    if (!match) return -1;
    return EntrySize(folder + *match).value_or(-1);
}

}  // namespace platform
