#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/File.h"

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream {
public:
    virtual ~TStream() = default;
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;  // returns bytes delivered
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t pos) { Seek(pos, soBeginning); }
    std::int64_t Size();
    std::int64_t Remaining() { return Size() - Position(); }
    void ReadBuffer(void* buffer, std::size_t count);         // EReadError "Stream read error" when short
    void WriteBuffer(const void* buffer, std::size_t count);  // EWriteError "Stream write error" when short

protected:
    // The system's text for the last failed write, when the stream has one.
    virtual std::string WriteFailureReason() const { return {}; }
};

class TMemoryStream : public TStream {
public:
    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

    void SetSize(std::int64_t size);
    void Clear();
    std::uint8_t* Memory() { return data_.data(); }
    const std::uint8_t* Memory() const { return data_.data(); }
    std::int64_t DataSize() const { return std::int64_t(data_.size()); }
    std::vector<std::uint8_t>& Data() { return data_; }
    const std::vector<std::uint8_t>& Data() const { return data_; }

private:
    std::vector<std::uint8_t> data_;
    std::int64_t position_ = 0;
};

enum TFileMode { fmOpenRead, fmCreate };

// A file on disk. Opening fails with EFOpenError "Cannot open file \"%s\". %s", creating with
// EFCreateError "Cannot create file \"%s\". %s" (full path and the system's reason).
class TFileStream : public TStream {
public:
    TFileStream(const std::string& path, TFileMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

protected:
    std::string WriteFailureReason() const override { return file_.WriteFailure(); }

private:
    platform::File file_;
};
