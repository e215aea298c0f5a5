#include "core/TStream.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>

#include "core/Errors.h"

std::int64_t TStream::Size() {
    const std::int64_t position = Seek(0, soCurrent);
    const std::int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError(ErrorText::StreamRead);
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError(ErrorText::StreamWrite, WriteFailureReason());
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    if (position_ < 0 || position_ >= std::int64_t(data_.size())) return 0;
    const std::size_t available = data_.size() - std::size_t(position_);
    if (count > available) count = available;
    std::memcpy(buffer, data_.data() + position_, count);
    position_ += std::int64_t(count);
    return count;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (position_ < 0 || count == 0) return 0;
    if (count > SIZE_MAX - std::size_t(position_)) throw EStreamError(ErrorText::MemoryStreamExpand);
    const std::size_t end = std::size_t(position_) + count;
    if (end > data_.size()) SetSize(std::int64_t(end));
    std::memcpy(data_.data() + position_, buffer, count);
    position_ = std::int64_t(end);
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    switch (origin) {
        case soBeginning:
            position_ = offset;
            break;
        case soCurrent:
            position_ += offset;
            break;
        case soEnd:
            position_ = std::int64_t(data_.size()) + offset;
            break;
    }
    return position_;
}

void TMemoryStream::SetSize(std::int64_t size) {
    if (size < 0) size = 0;
    try {
        data_.resize(std::size_t(size));
    } catch (const std::bad_alloc&) {
        throw EStreamError(ErrorText::MemoryStreamExpand);
    } catch (const std::length_error&) {
        throw EStreamError(ErrorText::MemoryStreamExpand);
    }
    if (position_ > size) position_ = size;
}

void TMemoryStream::Clear() {
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

TFileStream::TFileStream(const std::string& path, TFileMode mode) {
    std::string reason;
    if (mode == fmCreate) {
        if (!file_.Create(path, reason))
            throw EFCreateError(Format(ErrorText::FCreate, platform::FullPath(path).c_str(), reason.c_str()));
    } else if (!file_.OpenRead(path, reason)) {
        throw EFOpenError(Format(ErrorText::FOpen, platform::FullPath(path).c_str(), reason.c_str()));
    }
}

TFileStream::~TFileStream() = default;

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
    return file_.Read(buffer, count);
}
std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
    return file_.Write(buffer, count);
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    static_assert(SEEK_SET == soBeginning && SEEK_CUR == soCurrent && SEEK_END == soEnd);
    return file_.Seek(offset, int(origin));
}
