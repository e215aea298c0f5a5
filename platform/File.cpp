#include "platform/File.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace platform {

namespace {

bool IsDevice(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISCHR(st.st_mode);
}

// Refuses what is not a regular file (a character device too when `devices` is false): a FIFO
// or a device would block or stream forever, and a folder reads as nothing.
bool OpensAsFile(int fd, bool devices, std::string& error) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (S_ISREG(st.st_mode) || (devices && S_ISCHR(st.st_mode))) return true;
    error = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : NotRegularFileText;
    return false;
}

// Opens and takes an advisory lock: readers share, a writer excludes, so no one writes a file
// while it is being read. The open never waits (a FIFO without a peer would hold it forever);
// once the kind is known to be safe, writes and reads wait as usual.
int OpenLocked(const std::string& path, int flags, int lock, bool devices, std::string& error) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) {
        // A FIFO nobody reads refuses a writer with "No such device or address"; say what it is.
        struct stat st {};
        const int reason = errno;
        const bool fifo = reason == ENXIO && ::stat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
        error = fifo ? NotRegularFileText : std::strerror(reason);
        return -1;
    }
    if (!OpensAsFile(fd, devices, error)) {
        ::close(fd);
        return -1;
    }
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        error = std::strerror(errno);
        ::close(fd);
        return -1;
    }
    // Devices are shared by everyone (several writers to /dev/null at once are fine): no lock.
    if (!IsDevice(fd) && ::flock(fd, lock | LOCK_NB) != 0) {
        error = std::strerror(errno);
        ::close(fd);
        return -1;
    }
    return fd;
}

std::atomic<int> writesBeforeFailure{0};

// Counts down the armed failure; true for the write that it falls on.
bool WriteFailsNow() {
    int left = writesBeforeFailure.load();
    while (left > 0 && !writesBeforeFailure.compare_exchange_weak(left, left - 1)) {
    }
    return left == 1;
}

}  // namespace

void FailNthWrite(int n) {
    writesBeforeFailure.store(n > 0 ? n : 0);
}

File::~File() {
    Close();
}

bool File::OpenRead(const std::string& path, std::string& error) {
    Close();
    fd_ = OpenLocked(path, O_RDONLY, LOCK_SH, false, error);
    return fd_ >= 0;
}

bool File::Create(const std::string& path, std::string& error) {
    Close();
    // Truncate only once the lock is held, so a reader never sees the file emptied under it.
    // A character device (/dev/null, a terminal) is written straight to; it has nothing to cut.
    fd_ = OpenLocked(path, O_WRONLY | O_CREAT, LOCK_EX, true, error);
    if (fd_ >= 0 && IsDevice(fd_)) return true;
    if (fd_ >= 0 && ::ftruncate(fd_, 0) != 0) {
        error = std::strerror(errno);
        Close();
    }
    return fd_ >= 0;
}

std::size_t File::Read(void* buffer, std::size_t count) {
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (fd_ >= 0 && done < count) {
        const ssize_t n = ::read(fd_, out + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += std::size_t(n);
    }
    return done;
}

std::size_t File::Write(const void* buffer, std::size_t count) {
    if (fd_ >= 0 && count > 0 && WriteFailsNow()) {
        errno = ENOSPC;
        return 0;
    }
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (fd_ >= 0 && done < count) {
        const ssize_t n = ::write(fd_, in + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) writeFailure_ = std::strerror(errno);
        if (n <= 0) break;
        done += std::size_t(n);
    }
    return done;
}

std::int64_t File::Seek(std::int64_t offset, int whence) {
    if (fd_ < 0) return -1;
    return ::lseek(fd_, off_t(offset), whence);
}

void File::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::string FullPath(const std::string& path) {
    if (path.empty()) return path;
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

std::string FolderOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace platform
