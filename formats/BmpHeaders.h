#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "core/TStream.h"
#include "platform/Bitmap.h"

// A byte budget over a stream: the bytes of the BMP file not read yet. Every read is checked
// against it first, so a short file is refused before anything past its end is touched.
class BmpInput {
public:
    BmpInput(TStream& stream, std::int64_t remaining) : stream_(stream), remaining_(remaining) {}

    // EReadError "Stream read error" when fewer than `count` bytes are left.
    void Read(void* buffer, std::size_t count);
    std::vector<std::uint8_t> ReadBytes(std::size_t count);
    void Skip(std::int64_t count);
    std::int64_t Remaining() const { return remaining_; }
    TStream& Stream() { return stream_; }
    // Continues from another stream holding the same remaining bytes (a copy in memory).
    void SwitchTo(TStream& stream, std::int64_t remaining) {
        stream_ = stream;
        remaining_ = remaining;
    }

private:
    std::reference_wrapper<TStream> stream_;
    std::int64_t remaining_;
};

struct BmpFileHeader {
    std::uint16_t type = 0;
    std::uint32_t size = 0;
    std::uint32_t offBits = 0;
};

constexpr std::uint16_t BmpSignature = 0x4D42;  // "BM"
constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t InfoHeaderSize = 40;

// Everything in front of the pixel data.
struct BmpHeaders {
    BmpFileHeader file;
    std::vector<std::uint8_t> fileBytes;    // the 14 bytes as stored
    std::vector<std::uint8_t> headerBytes;  // the info or core header as stored
    platform::BitmapInfoHeader info;        // a core header is widened to this form
    bool coreHeader = false;
    std::uint32_t masks[3] = {0, 0, 0};
    bool hasMasks = false;
    std::vector<platform::RGBQuad> colors;
};

// File header and info (or core) header. Header sizes below 40 other than 12 are refused.
void ReadMainHeaders(BmpInput& in, BmpHeaders& headers);
// The bit-field masks (after a 40-byte header, or inside a longer one) and the colour table.
void ReadMasksAndColors(BmpInput& in, BmpHeaders& headers);
// Refuses headers no raster can be made from: EInvalidGraphic, or EOutOfResources past the ceilings.
void ValidateHeaders(const BmpHeaders& headers);
