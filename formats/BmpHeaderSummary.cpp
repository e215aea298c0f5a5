#include "formats/BmpHeaderSummary.h"

#include <cstdint>

#include "core/LittleEndianBytes.h"
#include "core/TStream.h"

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;

}  // namespace

std::vector<std::string> SummarizeBmpHeader(const std::string& path) {
    std::uint8_t fileHeader[FileHeaderSize] = {};
    std::uint8_t infoHeader[InfoHeaderSize] = {};
    {
        TFileStream file(path, fmOpenRead);
        // A short file leaves the rest at zero; that is not an error.
        file.Read(fileHeader, FileHeaderSize);
        file.Read(infoHeader, InfoHeaderSize);
    }
    return {
        "Filesize:    " + std::to_string(le::Get32(fileHeader + 2)),
        "Width:       " + std::to_string(le::GetS32(infoHeader + 4)),
        "Height:      " + std::to_string(le::GetS32(infoHeader + 8)),
        "BitCount:    " + std::to_string(le::Get16(infoHeader + 14)),
        "Used:        " + std::to_string(le::Get32(infoHeader + 32)),
        "",
        "",
        "Brelvik 1 10",
    };
}
