#pragma once
#include <string>

namespace platform {

// A file written under a temporary name beside its target, flushed to disk and renamed into place
// when complete, so that the target is never seen half-written and a failure leaves it as it was.
// A replaced target keeps its permission bits. An uncommitted temporary file is removed on
// destruction, and by an interrupt while it is alive (see TempFileRegistry).
// The rename only ever replaces a regular file. A character device as the target (/dev/null, a
// terminal) is written straight to: TempPath() is then the target itself and Commit does nothing.
// Any other kind of target (a folder, a FIFO, a socket) is refused by Begin.
class AtomicFile {
public:
    // `suffix` ends the temporary name, for writers that append an extension of their own.
    explicit AtomicFile(std::string target, std::string suffix = {})
        : target_(std::move(target)), suffix_(std::move(suffix)) {}
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the empty temporary file (readable as a plain new file would be). False with the
    // system's text in `error` when the folder does not allow it, or the target exists and may
    // not be written.
    bool Begin(std::string& error);
    const std::string& TempPath() const { return tempPath_; }
    // Flushes the temporary file, gives it the permission bits of the target it replaces, and
    // renames it over the target. False with the system's text in `error`.
    bool Commit(std::string& error);

    bool WritesStraight() const { return straight_; }

private:
    std::string target_;
    std::string suffix_;
    std::string tempPath_;
    bool committed_ = false;
    bool straight_ = false;
    int registrySlot_ = -1;
};

}  // namespace platform
