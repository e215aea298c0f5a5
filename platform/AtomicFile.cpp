#include "platform/AtomicFile.h"

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
    if (tempPath_.empty() || std::rename(tempPath_.c_str(), target_.c_str()) != 0) {
        error = std::strerror(tempPath_.empty() ? EINVAL : errno);
        return false;
    }
    committed_ = true;
    return true;
}

}  // namespace platform
