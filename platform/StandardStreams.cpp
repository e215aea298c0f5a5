#include "platform/StandardStreams.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>

namespace platform {

namespace {

constexpr std::size_t ChunkBytes = 1 << 16;

bool WriteAll(int fd, const char* data, std::size_t count) {
    while (count > 0) {
        const ssize_t n = write(fd, data, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        count -= std::size_t(n);
    }
    return true;
}

// Which side of a copy failed, errno telling why.
enum class PumpFailure { None, Reading, Writing };

// Copies `from` to `to` until the end of `from`.
PumpFailure Pump(int from, int to) {
    char buffer[ChunkBytes];
    for (;;) {
        const ssize_t n = read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return PumpFailure::Reading;
        if (n == 0) return PumpFailure::None;
        if (!WriteAll(to, buffer, std::size_t(n))) return PumpFailure::Writing;
    }
}

// Holds SIGPIPE off while writing to a pipe, and swallows the one a closed pipe raised.
class PipeSignalHold {
public:
    PipeSignalHold() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe_, &before_);
    }
    ~PipeSignalHold() {
        const timespec none{0, 0};
        const int saved = errno;
        while (sigtimedwait(&pipe_, nullptr, &none) == SIGPIPE) {
        }
        pthread_sigmask(SIG_SETMASK, &before_, nullptr);
        errno = saved;
    }

private:
    sigset_t pipe_, before_;
};

}  // namespace

void OccupyClosedStandardStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // The lowest free number: `fd` itself, as the ones below it are taken.
        const int opened = open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        if (opened >= 0 && opened != fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
}

bool FlushStandardOutput(std::string& error) {
    errno = 0;
    std::cout.flush();
    const bool flushed = std::fflush(stdout) == 0 && !std::ferror(stdout) && !std::cout.fail();
    if (!flushed && errno != 0) error = std::strerror(errno);
    return flushed;
}

bool ReadWholeInput(const std::string& path, std::string& data, std::string& error) {
    const bool standard = path == "-";
    const int fd = standard ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC);
    bool complete = fd >= 0;
    char buffer[ChunkBytes];
    while (complete) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            complete = n == 0;
            break;
        }
        data.append(buffer, std::size_t(n));
    }
    if (!complete) error = std::strerror(errno);
    if (fd >= 0 && !standard) close(fd);
    return complete;
}

std::string TempFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

bool CopyStandardInputTo(const std::string& path, std::string& readError, std::string& writeError) {
    const int fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        writeError = std::strerror(errno);
        return false;
    }
    const PumpFailure failure = Pump(STDIN_FILENO, fd);
    if (failure != PumpFailure::None)
        (failure == PumpFailure::Reading ? readError : writeError) = std::strerror(errno);
    if (close(fd) != 0 && failure == PumpFailure::None) writeError = std::strerror(errno);
    return readError.empty() && writeError.empty();
}

bool CopyFileToDescriptor(const std::string& path, int to, std::string& error) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    bool copied = false;
    {
        PipeSignalHold hold;
        copied = Pump(fd, to) == PumpFailure::None;
        if (!copied) error = std::strerror(errno);
    }
    close(fd);
    return copied;
}

bool CopyFileToStandardOutput(const std::string& path, std::string& error) {
    return CopyFileToDescriptor(path, STDOUT_FILENO, error);
}

}  // namespace platform
