#include "core/Errors.h"

#include <cstdarg>
#include <cstdio>
#include <limits>
#include <vector>

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string result;
    if (length > 0) {
        std::vector<char> buffer(std::size_t(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        result.assign(buffer.data(), std::size_t(length));
    }
    va_end(args);
    return result;
}

// Leading blanks are skipped and one sign is allowed; anything else (trailing blanks, an empty
// text, a value beyond 32 bits) is not an integer.
int StrToInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    const std::size_t digitsStart = i;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<int>::max() + 1LL) break;
    }
    if (negative) value = -value;
    if (i == digitsStart || i != text.size() || value > std::numeric_limits<int>::max() ||
        value < std::numeric_limits<int>::min())
        throw EConvertError(Format(ErrorText::InvalidInteger, text.c_str()));
    return int(value);
}
