#include "formats/BmpHeaders.h"

#include <climits>

#include "core/Errors.h"
#include "core/LittleEndianBytes.h"

void BmpInput::Read(void* buffer, std::size_t count) {
    if (std::int64_t(count) > remaining_ || std::int64_t(count) < 0) throw EReadError(ErrorText::StreamRead);
    stream_.get().ReadBuffer(buffer, count);
    remaining_ -= std::int64_t(count);
}

std::vector<std::uint8_t> BmpInput::ReadBytes(std::size_t count) {
    if (std::int64_t(count) > remaining_) throw EReadError(ErrorText::StreamRead);
    std::vector<std::uint8_t> bytes(count);
    Read(bytes.data(), count);
    return bytes;
}

void BmpInput::Skip(std::int64_t count) {
    if (count < 0 || count > remaining_) throw EReadError(ErrorText::StreamRead);
    stream_.get().Seek(count, soCurrent);
    remaining_ -= count;
}

namespace {

void ReadFileHeader(BmpInput& in, BmpHeaders& headers) {
    headers.fileBytes = in.ReadBytes(FileHeaderSize);
    const std::uint8_t* p = headers.fileBytes.data();
    headers.file.type = le::Get16(p);
    headers.file.size = le::Get32(p + 2);
    headers.file.offBits = le::Get32(p + 10);
    if (headers.file.type != BmpSignature) throw EInvalidGraphic(ErrorText::InvalidBitmap);
}

// A core header becomes an info header with every field it lacks zero.
void WidenCoreHeader(BmpHeaders& headers) {
    const std::uint8_t* p = headers.headerBytes.data();
    headers.info = platform::BitmapInfoHeader{};
    headers.info.size = InfoHeaderSize;
    headers.info.width = le::Get16(p + 4);
    headers.info.height = le::Get16(p + 6);
    headers.info.planes = le::Get16(p + 8);
    headers.info.bitCount = le::Get16(p + 10);
    headers.coreHeader = true;
}

void ParseInfoHeader(BmpHeaders& headers) {
    const std::uint8_t* p = headers.headerBytes.data();
    platform::BitmapInfoHeader& info = headers.info;
    info.size = InfoHeaderSize;
    info.width = le::GetS32(p + 4);
    info.height = le::GetS32(p + 8);
    info.planes = le::Get16(p + 12);
    info.bitCount = le::Get16(p + 14);
    info.compression = le::Get32(p + 16);
    info.sizeImage = le::Get32(p + 20);
    info.xPelsPerMeter = le::GetS32(p + 24);
    info.yPelsPerMeter = le::GetS32(p + 28);
    info.clrUsed = le::Get32(p + 32);
    info.clrImportant = le::Get32(p + 36);
}

std::uint32_t DefaultColorCount(int bitCount) {
    switch (bitCount) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

}  // namespace

void ReadMainHeaders(BmpInput& in, BmpHeaders& headers) {
    ReadFileHeader(in, headers);
    std::uint8_t sizeBytes[4];
    in.Read(sizeBytes, 4);
    const std::uint32_t size = le::Get32(sizeBytes);
    if (size != CoreHeaderSize && size < InfoHeaderSize) throw EInvalidGraphic(ErrorText::InvalidBitmap);
    if (std::int64_t(size) - 4 > in.Remaining()) throw EReadError(ErrorText::StreamRead);
    headers.headerBytes.assign(sizeBytes, sizeBytes + 4);
    const std::vector<std::uint8_t> rest = in.ReadBytes(size - 4);
    headers.headerBytes.insert(headers.headerBytes.end(), rest.begin(), rest.end());
    if (size == CoreHeaderSize)
        WidenCoreHeader(headers);
    else
        ParseInfoHeader(headers);
}

void ReadMasksAndColors(BmpInput& in, BmpHeaders& headers) {
    platform::BitmapInfoHeader& info = headers.info;
    const std::size_t storedSize = headers.headerBytes.size();
    if (info.compression == platform::BI_BITFIELDS) {
        if (storedSize == InfoHeaderSize && (info.bitCount == 16 || info.bitCount == 32)) {
            std::uint8_t maskBytes[12];
            in.Read(maskBytes, sizeof maskBytes);
            for (int i = 0; i < 3; ++i) headers.masks[i] = le::Get32(maskBytes + 4 * i);
            headers.hasMasks = true;
        } else if (storedSize >= InfoHeaderSize + 12) {
            // Longer headers carry the masks in their own fields.
            for (int i = 0; i < 3; ++i) headers.masks[i] = le::Get32(headers.headerBytes.data() + 40 + 4 * i);
            headers.hasMasks = true;
        }
    }

    std::uint32_t count = info.clrUsed == 0 ? DefaultColorCount(info.bitCount) : info.clrUsed;
    // An indexed raster has at most 256 table entries; asking for more gets the first 256.
    if (info.bitCount <= 8 && count > 256) count = 256;
    info.clrUsed = info.clrUsed == 0 ? 0 : count;
    const std::size_t entrySize = headers.coreHeader ? 3 : 4;
    if (std::int64_t(count) * std::int64_t(entrySize) > in.Remaining())
        throw EReadError(ErrorText::StreamRead);
    const std::vector<std::uint8_t> table = in.ReadBytes(count * entrySize);
    headers.colors.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = table.data() + i * entrySize;
        headers.colors[i] = platform::RGBQuad{e[0], e[1], e[2], 0};
    }
}

void ValidateHeaders(const BmpHeaders& headers) {
    const platform::BitmapInfoHeader& info = headers.info;
    const auto invalid = [] { return EInvalidGraphic(ErrorText::InvalidBitmap); };
    if (info.planes != 1) throw invalid();
    const int bits = info.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) throw invalid();
    switch (info.compression) {
        case platform::BI_RGB:
            break;
        case platform::BI_RLE8:
            if (bits != 8 || info.height < 0) throw invalid();
            break;
        case platform::BI_RLE4:
            if (bits != 4 || info.height < 0) throw invalid();
            break;
        case platform::BI_BITFIELDS:
            if ((bits != 16 && bits != 32) || !headers.hasMasks) throw invalid();
            break;
        default:
            throw invalid();
    }
    if (info.width <= 0 || info.height == 0 || info.height == INT_MIN) throw invalid();
    const std::int64_t width = info.width;
    const std::int64_t height = info.height < 0 ? -std::int64_t(info.height) : info.height;
    // Compressed pictures are decoded into 32-bit device rows.
    const int storedBits =
        (info.compression == platform::BI_RLE8 || info.compression == platform::BI_RLE4) ? 32 : bits;
    if (width * height > platform::MaxRasterPixels ||
        platform::RowStride(width, storedBits) * height > platform::MaxRasterBytes)
        throw EOutOfResources(ErrorText::OutOfResources);
}
