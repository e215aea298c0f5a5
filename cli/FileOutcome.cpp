#include "cli/FileOutcome.h"

#include <cstring>

namespace {

// The fixed part, in the byte order of the machine: the bytes never leave it.
struct Fixed {
    std::uint8_t status;
    std::int64_t bytes;
    std::int32_t width, height;
    std::int64_t milliseconds;
    std::int32_t quality;
};

}  // namespace

std::string FileOutcome::Serialize() const {
    const Fixed fixed{status, bytes, width, height, milliseconds, quality};
    std::string data(reinterpret_cast<const char*>(&fixed), sizeof fixed);
    return data + error;
}

bool FileOutcome::Deserialize(const std::string& data, FileOutcome& outcome) {
    Fixed fixed{};
    if (data.size() < sizeof fixed) return false;
    std::memcpy(&fixed, data.data(), sizeof fixed);
    if (fixed.status > Skipped) return false;
    outcome.status = Status(fixed.status);
    outcome.bytes = fixed.bytes;
    outcome.width = fixed.width;
    outcome.height = fixed.height;
    outcome.milliseconds = fixed.milliseconds;
    outcome.quality = fixed.quality;
    outcome.error = data.substr(sizeof fixed);
    return true;
}
