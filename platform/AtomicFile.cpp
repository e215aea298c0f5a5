#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/File.h"
#include "platform/TempFileRegistry.h"

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

// What a target's kind allows: nothing there or a regular file is replaced by the rename, a
// character device is written straight to, anything else is refused with a reason.
enum class TargetKind { Replaceable, Device, Refused };

TargetKind KindOf(const std::string& target, std::string& error) {
    struct stat st {};
    if (stat(target.c_str(), &st) != 0 || S_ISREG(st.st_mode)) return TargetKind::Replaceable;
    if (S_ISCHR(st.st_mode)) return TargetKind::Device;
    error = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : NotRegularFileText;
    return TargetKind::Refused;
}

}  // namespace

AtomicFile::~AtomicFile() {
    if (!tempPath_.empty() && !committed_ && !straight_) unlink(tempPath_.c_str());
    ForgetTempFile(registrySlot_);
}

bool AtomicFile::Begin(std::string& error) {
    switch (KindOf(target_, error)) {
        case TargetKind::Refused: return false;
        case TargetKind::Device:
            straight_ = true;
            tempPath_ = target_;
            return true;
        case TargetKind::Replaceable: break;
    }
    if (!MayReplace(target_, error)) return false;
    std::string pattern = TempPattern(target_, suffix_);
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    // An interrupt between making the file and recording it would leave it behind: hold it off.
    sigset_t interrupts, before;
    sigemptyset(&interrupts);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&interrupts, signal);
    pthread_sigmask(SIG_BLOCK, &interrupts, &before);
    int fd = mkstemps(buffer.data(), int(suffix_.size()));
    const int reason = errno;
    if (fd >= 0) registrySlot_ = RegisterTempFile(buffer.data());
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    if (fd < 0) {
        error = std::strerror(reason);
        return false;
    }
    GiveDefaultPermissions(fd);
    close(fd);
    tempPath_ = buffer.data();
    return true;
}

bool AtomicFile::Commit(std::string& error) {
    if (straight_) {
        committed_ = true;
        return true;
    }
    if (tempPath_.empty()) {
        error = std::strerror(EINVAL);
        return false;
    }
    if (!FlushToDisk(tempPath_, error)) return false;
    KeepPermissions(tempPath_, target_);
    // Something other than a regular file may have taken the target's place while we wrote.
    if (KindOf(target_, error) != TargetKind::Replaceable) {
        if (error.empty()) error = NotRegularFileText;
        return false;
    }
    if (std::rename(tempPath_.c_str(), target_.c_str()) != 0) {
        error = std::strerror(errno);
        return false;
    }
    committed_ = true;
    ForgetTempFile(registrySlot_);
    registrySlot_ = -1;
    FlushFolder(target_);
    return true;
}

}  // namespace platform
