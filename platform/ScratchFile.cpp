#include "platform/ScratchFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/StandardStreams.h"
#include "platform/TempFileRegistry.h"

namespace platform {

ScratchFile::~ScratchFile() {
    if (created_) unlink(path_.c_str());
    ForgetTempFile(registrySlot_);
}

bool ScratchFile::Create(std::string& error) {
    path_ = TempFolder() + "/brelvik-XXXXXX" + suffix_;
    const int fd = CreateRegisteredFile(path_, int(suffix_.size()), registrySlot_);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    close(fd);
    created_ = true;
    return true;
}

}  // namespace platform
