#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// The reason given when a path names something other than a regular file or a folder (a FIFO, a
// socket, a device where one is not accepted); the system has no error text of its own for it.
inline constexpr const char* NotRegularFileText = "Not a regular file";

// A file handle of the operating system. Open* return false and leave the system's text for the
// error in `error` (e.g. "No such file or directory"). Only regular files open for reading; a
// folder gives the system's "Is a directory", other kinds NotRegularFileText, and no open waits.
// Create accepts regular files and character devices, which are written straight to.
class File {
public:
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool OpenRead(const std::string& path, std::string& error);  // other writers denied
    bool Create(const std::string& path, std::string& error);    // create or truncate
    std::size_t Read(void* buffer, std::size_t count);
    std::size_t Write(const void* buffer, std::size_t count);  // short count on failure (disk full)
    std::int64_t Seek(std::int64_t offset, int whence);        // SEEK_SET / SEEK_CUR / SEEK_END
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    // The system's text for why the last short Write stopped; empty when none did.
    const std::string& WriteFailure() const { return writeFailure_; }

private:
    int fd_ = -1;
    std::string writeFailure_;
};

// For tests: the n-th call of File::Write from now on (1: the next one) writes nothing and fails as
// on a full disk; 0 turns this off. Later writes succeed again.
void FailNthWrite(int n);

// The absolute form of a path, as error messages show it.
std::string FullPath(const std::string& path);

// The folder holding a path's last part: "." for a bare name, "/" at the root.
std::string FolderOf(const std::string& path);

}  // namespace platform
