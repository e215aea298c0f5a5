#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/File.h"
#include "platform/LinkTarget.h"
#include "platform/StandardStreams.h"
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
    const int fd = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Where a UTF-8 character starts at or before `at`, so that a shortened name stays valid text.
std::size_t CharacterStart(const std::string& text, std::size_t at) {
    while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) --at;
    return at;
}

// ".NAME.XXXXXX" and the suffix, beside the target. NAME is shortened when the whole would pass
// the longest name a folder may hold, so that every name that may be written can be.
std::string TempPattern(const std::string& target, const std::string& suffix) {
    std::string::size_type slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::size_t added = std::strlen("..XXXXXX") + suffix.size();
    const std::size_t room = added < NAME_MAX ? NAME_MAX - added : 0;
    if (name.size() > room) name.resize(CharacterStart(name, room));
    return folder + "." + name + ".XXXXXX" + suffix;
}

bool OpenForWriting(int fd) {
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && (flags & O_ACCMODE) != O_RDONLY;
}

// Opens an open file named through the process file system for writing, without waiting for a
// pipe's reader; the writes then wait as usual.
int OpenWithoutWaiting(const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0 && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        close(fd);
        return -1;
    }
    return fd;
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

AtomicFile::AtomicFile(std::string target, std::string suffix)
    : target_(std::move(target)), suffix_(std::move(suffix)) {}

AtomicFile::~AtomicFile() {
    if (!tempPath_.empty() && !committed_ && !straight_ && !scratch_) unlink(tempPath_.c_str());
    ForgetTempFile(registrySlot_);
}

bool AtomicFile::Begin(std::string& error) {
    LinkTarget link;
    if (!FollowLinks(target_, link, error)) return false;
    place_ = link.path;
    if (link.openFile) {
        descriptor_ = link.descriptor;
        return BeginOpenFile(error);
    }
    return BeginReplacing(error);
}

// A device is written straight to; anything else open (a pipe, a file) is filled from a scratch
// file at the end, whole.
bool AtomicFile::BeginOpenFile(std::string& error) {
    // One of our own descriptors is judged as it is open, not by reopening its name: a closed
    // standard output holds /dev/null for reading, and writing to it must fail, not vanish.
    if (descriptor_ >= 0 && !OpenForWriting(descriptor_)) {
        error = std::strerror(EBADF);
        return false;
    }
    struct stat st {};
    const int found = descriptor_ >= 0 ? fstat(descriptor_, &st) : stat(target_.c_str(), &st);
    if (found == 0 && S_ISCHR(st.st_mode)) {
        straight_ = true;
        tempPath_ = target_;
        return true;
    }
    if (S_ISDIR(st.st_mode)) {
        error = std::strerror(EISDIR);
        return false;
    }
    scratch_ = std::make_unique<ScratchFile>(suffix_);
    if (!scratch_->Create(error)) {
        failedPath_ = scratch_->Path();
        return false;
    }
    tempPath_ = scratch_->Path();
    return true;
}

bool AtomicFile::BeginReplacing(std::string& error) {
    switch (KindOf(place_, error)) {
        case TargetKind::Refused:
            return false;
        case TargetKind::Device:
            straight_ = true;
            tempPath_ = place_;
            return true;
        case TargetKind::Replaceable:
            break;
    }
    if (!MayReplace(place_, error)) return false;
    std::string path = TempPattern(place_, suffix_);
    const int fd = CreateRegisteredFile(path, int(suffix_.size()), registrySlot_);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    GiveDefaultPermissions(fd);
    close(fd);
    tempPath_ = path;
    return true;
}

bool AtomicFile::CommitOpenFile(std::string& error) {
    const int fd = descriptor_ >= 0 ? descriptor_ : OpenWithoutWaiting(target_);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    const bool copied = CopyFileToDescriptor(tempPath_, fd, error);
    if (fd != descriptor_) close(fd);
    committed_ = copied;
    return copied;
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
    if (scratch_) return CommitOpenFile(error);
    if (!FlushToDisk(tempPath_, error)) return false;
    KeepPermissions(tempPath_, place_);
    // Something other than a regular file may have taken the target's place while we wrote.
    if (KindOf(place_, error) != TargetKind::Replaceable) {
        if (error.empty()) error = NotRegularFileText;
        return false;
    }
    if (std::rename(tempPath_.c_str(), place_.c_str()) != 0) {
        error = std::strerror(errno);
        return false;
    }
    committed_ = true;
    ForgetTempFile(registrySlot_);
    registrySlot_ = -1;
    FlushFolder(place_);
    return true;
}

}  // namespace platform
