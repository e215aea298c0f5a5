#include "cli/ByteSize.h"

#include <cctype>
#include <charconv>
#include <cstring>

namespace {

constexpr std::int64_t Largest = std::int64_t(1) << 62;

// The multiplier a suffix stands for; 0 for one that is not a size unit.
std::int64_t Unit(std::string suffix) {
    for (char& c : suffix) c = char(std::toupper(static_cast<unsigned char>(c)));
    if (suffix.empty()) return 1;
    const char* power = std::strchr("KMG", suffix[0]);
    const std::string rest = suffix.substr(1);
    const std::int64_t base = rest.empty() || rest == "IB" ? 1024 : rest == "B" ? 1000 : 0;
    if (!power || base == 0) return 0;
    std::int64_t unit = 1;
    for (const char* p = "KMG"; p <= power; ++p) unit *= base;
    return unit;
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
