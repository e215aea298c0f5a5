#pragma once
#include <string>

namespace platform {

// A private file for the program's own use (a copy of standard input, an output on its way to a
// stream), in the scratch folder ($TMPDIR, else /tmp) which other users share: an unpredictable
// name made with O_EXCL, mode 0600 for its whole life. Removed on destruction, and by an interrupt
// while it is alive (see TempFileRegistry).
class ScratchFile {
public:
    // `suffix` ends the name (e.g. ".bmp", for readers that choose the kind by extension).
    explicit ScratchFile(std::string suffix = {}) : suffix_(std::move(suffix)) {}
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // False with the system's text in `error`; Path() then names the pattern that was tried, so a
    // message can tell where the file could not be made.
    bool Create(std::string& error);
    const std::string& Path() const { return path_; }

private:
    std::string suffix_;
    std::string path_;
    bool created_ = false;
    int registrySlot_ = -1;
};

}  // namespace platform
