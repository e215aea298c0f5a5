#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// A file handle of the operating system. Open* return false and leave the system's text for the
// error in `error` (e.g. "No such file or directory").
class File {
public:
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool OpenRead(const std::string& path, std::string& error);   // other writers denied
    bool Create(const std::string& path, std::string& error);     // create or truncate
    std::size_t Read(void* buffer, std::size_t count);
    std::size_t Write(const void* buffer, std::size_t count);     // short count on failure (disk full)
    std::int64_t Seek(std::int64_t offset, int whence);           // SEEK_SET / SEEK_CUR / SEEK_END
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// For tests: the n-th call of File::Write from now on (1: the next one) writes nothing and fails as
// on a full disk; 0 turns this off. Later writes succeed again.
void FailNthWrite(int n);

// The absolute form of a path, as error messages show it.
std::string FullPath(const std::string& path);

}  // namespace platform
