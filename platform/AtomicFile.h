#pragma once
#include <memory>
#include <string>

#include "platform/ScratchFile.h"

namespace platform {

// A file written under a temporary name beside its target, flushed to disk and renamed into place
// when complete, so that the target is never seen half-written and a failure leaves it as it was.
// A replaced target keeps its permission bits. An uncommitted temporary file is removed on
// destruction, and by an interrupt while it is alive (see TempFileRegistry).
// A target that is a symbolic link stands for the file the link names (created when it dangles),
// which is replaced beside itself; the link stays. The rename only ever replaces a regular file.
// A character device as the target (/dev/null, a terminal) is written straight to: TempPath() is
// then the target itself and Commit does nothing. An open file named through the process file
// system (/dev/stdout, /dev/fd/N: a pipe, or a file the shell opened) is filled from a scratch
// file by Commit, through that descriptor: nothing is renamed over it.
// Any other kind of target (a folder, a FIFO, a socket) is refused by Begin.
class AtomicFile {
public:
    // `suffix` ends the temporary name, for writers that append an extension of their own.
    explicit AtomicFile(std::string target, std::string suffix = {});
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the empty temporary file (readable as a plain new file would be). False with the
    // system's text in `error` when the folder does not allow it, or the target exists and may
    // not be written; FailedPath() then names what could not be made.
    bool Begin(std::string& error);
    const std::string& TempPath() const { return tempPath_; }
    const std::string& FailedPath() const { return failedPath_; }
    // Flushes the temporary file, gives it the permission bits of the target it replaces, and
    // renames it over the target. False with the system's text in `error`.
    bool Commit(std::string& error);

    bool WritesStraight() const { return straight_; }
    // The writing goes to a scratch file in the scratch folder, copied to the target by Commit.
    bool WritesScratch() const { return scratch_ != nullptr; }

private:
    bool BeginOpenFile(std::string& error);
    bool BeginReplacing(std::string& error);
    bool CommitOpenFile(std::string& error);

    std::string target_;
    std::string suffix_;
    std::string place_;    // the file the rename replaces: the target, or the end of its links
    int descriptor_ = -1;  // an open file of this process that the target names, or -1
    std::unique_ptr<ScratchFile> scratch_;
    std::string tempPath_;
    std::string failedPath_;
    bool committed_ = false;
    bool straight_ = false;
    int registrySlot_ = -1;
};

}  // namespace platform
