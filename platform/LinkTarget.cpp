#include "platform/LinkTarget.h"

#include <limits.h>
#include <linux/magic.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>

#include "platform/File.h"

namespace platform {

namespace {

constexpr int MostLinks = 40;  // as the system's own limit, beyond which it reports a loop

bool OnProcessFiles(const std::string& folder) {
    struct statfs fs {};
    return statfs(folder.c_str(), &fs) == 0 && fs.f_type == PROC_SUPER_MAGIC;
}

std::string RealPath(const std::string& path) {
    char real[PATH_MAX];
    return realpath(path.c_str(), real) ? real : std::string();
}

// Whether a folder is one of this process's descriptor folders: /proc/PID/fd, or a thread's
// /proc/PID/task/TID/fd (/proc/thread-self/fd).
bool IsOwnDescriptorFolder(const std::string& folder) {
    const std::string real = RealPath(folder);
    const std::string own = "/proc/" + std::to_string(getpid());
    const std::string tail = "/fd";
    if (real.size() < own.size() + tail.size() || real.compare(0, own.size(), own) != 0 ||
        real.compare(real.size() - tail.size(), tail.size(), tail) != 0)
        return false;
    const std::string middle = real.substr(own.size(), real.size() - own.size() - tail.size());
    return middle.empty() || (middle.rfind("/task/", 0) == 0 && middle.find('/', 6) == std::string::npos);
}

// The descriptor that a link in this process's own fd folder stands for, or -1.
int OwnDescriptor(const std::string& link) {
    if (!IsOwnDescriptorFolder(FolderOf(link))) return -1;
    const std::string name = link.substr(link.rfind('/') + 1);
    int fd = -1;
    const auto [end, failure] = std::from_chars(name.data(), name.data() + name.size(), fd);
    return failure == std::errc() && end == name.data() + name.size() ? fd : -1;
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return !path.empty() && path.front() == '/' && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ReadLink(const std::string& link, std::string& text) {
    char buffer[PATH_MAX];
    const ssize_t n = readlink(link.c_str(), buffer, sizeof buffer);
    if (n < 0 || std::size_t(n) == sizeof buffer) return false;
    text.assign(buffer, std::size_t(n));
    return true;
}

}  // namespace

bool FollowLinks(const std::string& path, LinkTarget& target, std::string& error) {
    target = LinkTarget{path};
    std::string text;
    for (int links = 0;; ++links) {
        struct stat st {};
        // Not there, or no link: the creation or the rename tells of any trouble with it.
        if (lstat(target.path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        if (OnProcessFiles(FolderOf(target.path))) {
            target.descriptor = OwnDescriptor(target.path);
            // Another process's open regular file is replaced as the file its link names would be;
            // truncating it through the link would lose it should the write then fail.
            if (target.descriptor < 0 && ReadLink(target.path, text) && IsRegularFile(text)) {
                target.path = text;
                continue;
            }
            target.openFile = true;
            return true;
        }
        if (links == MostLinks) {
            error = std::strerror(ELOOP);
            return false;
        }
        if (!ReadLink(target.path, text) || text.empty()) return true;
        target.path = text.front() == '/' ? text : FolderOf(target.path) + "/" + text;
    }
}

}  // namespace platform
