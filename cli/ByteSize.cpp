#include "cli/ByteSize.h"

#include <cctype>
#include <charconv>

namespace {

constexpr std::int64_t Largest = std::int64_t(1) << 62;

// The multiplier a suffix stands for; 0 for one that is not a size unit.
std::int64_t Unit(std::string suffix) {
    for (char& c : suffix) c = char(std::toupper(static_cast<unsigned char>(c)));
    if (suffix.empty()) return 1;
    if (suffix.size() == 3 && suffix.compare(1, 2, "IB") == 0) suffix.resize(1);
    if (suffix == "K") return std::int64_t(1) << 10;
    if (suffix == "M") return std::int64_t(1) << 20;
    if (suffix == "G") return std::int64_t(1) << 30;
    return 0;
}

}  // namespace

std::optional<std::int64_t> ParseByteSize(const std::string& text) {
    std::int64_t number = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, number);
    if (ptr == text.data() || ec != std::errc() || number < 1) return std::nullopt;
    const std::int64_t unit = Unit(std::string(ptr, end));
    if (unit == 0 || number > Largest / unit) return std::nullopt;
    return number * unit;
}
