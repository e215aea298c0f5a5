#include "cli/TerminalText.h"

#include <algorithm>
#include <cstdio>

namespace {

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

std::string Escaped(char c) {
    switch (c) {
        case '\n':
            return "\\n";
        case '\t':
            return "\\t";
        case '\r':
            return "\\r";
        case '\\':
            return "\\\\";
        case '\'':
            return "\\'";
        default:
            break;
    }
    if (!IsControl(c)) return std::string(1, c);
    char octal[5];
    std::snprintf(octal, sizeof octal, "\\%03o", unsigned(static_cast<unsigned char>(c)));
    return octal;
}

}  // namespace

std::string PrintableName(const std::string& name) {
    if (std::none_of(name.begin(), name.end(), IsControl)) return name;
    std::string quoted = "$'";
    for (char c : name) quoted += Escaped(c);
    return quoted + "'";
}

std::string PrintableText(const std::string& text) {
    std::string printable = text;
    std::replace_if(printable.begin(), printable.end(), IsControl, '?');
    return printable;
}
