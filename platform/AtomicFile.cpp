#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace platform {

namespace {

// mkstemp makes the file 0600; a finished output should carry the usual permissions instead.
void GiveDefaultPermissions(int fd) {
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
}

// A replaced file keeps its permission bits. Set once the writing is done, since they may not
// let the owner write.
void KeepPermissions(const std::string& tempPath, const std::string& target) {
    struct stat existing;
    if (stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        chmod(tempPath.c_str(), existing.st_mode & 07777);
}

// Renaming would replace a file that the user may not write; refuse it as opening it would be.
bool MayReplace(const std::string& target, std::string& error) {
    if (access(target.c_str(), W_OK) == 0 || errno != EACCES) return true;
    error = std::strerror(EACCES);
    return false;
}

// The data reaches the disk before the rename, so the target is never replaced by a file that a
// crash could leave empty.
bool FlushToDisk(const std::string& path, std::string& error) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || fsync(fd) != 0) {
        error = std::strerror(errno);
        if (fd >= 0) close(fd);
        return false;
    }
    close(fd);
    return true;
}

// The rename itself reaches the disk with the folder; best effort, the file is already in place.
void FlushFolder(const std::string& target) {
    std::string::size_type slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

std::string TempPattern(const std::string& target, const std::string& suffix) {
    std::string::size_type slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return folder + "." + name + ".XXXXXX" + suffix;
}

}  // namespace

AtomicFile::~AtomicFile() {
    if (!tempPath_.empty() && !committed_) unlink(tempPath_.c_str());
}

bool AtomicFile::Begin(std::string& error) {
    if (!MayReplace(target_, error)) return false;
    std::string pattern = TempPattern(target_, suffix_);
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    int fd = mkstemps(buffer.data(), int(suffix_.size()));
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    GiveDefaultPermissions(fd);
    close(fd);
    tempPath_ = buffer.data();
    return true;
}

bool AtomicFile::Commit(std::string& error) {
    if (!tempPath_.empty()) {
        if (!FlushToDisk(tempPath_, error)) return false;
        KeepPermissions(tempPath_, target_);
    }
    if (tempPath_.empty() || std::rename(tempPath_.c_str(), target_.c_str()) != 0) {
        error = std::strerror(tempPath_.empty() ? EINVAL : errno);
        return false;
    }
    committed_ = true;
    FlushFolder(target_);
    return true;
}

}  // namespace platform
