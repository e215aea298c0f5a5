#include "cli/TerminalText.h"

#include <cstdio>

namespace {

// The length of the character at `at` when a terminal shows it as text, 0 when its bytes must be
// escaped: C0 and C1 controls, DEL, and bytes that are no UTF-8 (a terminal may take a lone 0x9B
// for the start of a control sequence).
std::size_t PrintableLength(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    if (first < 0x20 || first == 0x7F) return 0;
    if (first < 0x80) return 1;
    const std::size_t length = first < 0xC2 ? 0 : first < 0xE0 ? 2 : first < 0xF0 ? 3 : first < 0xF5 ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
    if (first == 0xC2 && byte(at + 1) < 0xA0) return 0;  // U+0080 to U+009F
    return length;
}

bool AllPrintable(const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = PrintableLength(text, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::string Escaped(char c) {
    switch (c) {
        case '\n':
            return "\\n";
        case '\t':
            return "\\t";
        case '\r':
            return "\\r";
        default:
            break;
    }
    char octal[5];
    std::snprintf(octal, sizeof octal, "\\%03o", unsigned(static_cast<unsigned char>(c)));
    return octal;
}

}  // namespace

std::string PrintableName(const std::string& name) {
    if (AllPrintable(name)) return name;
    std::string quoted = "$'";
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t length = PrintableLength(name, at);
        if (length == 0) {
            quoted += Escaped(name[at++]);
            continue;
        }
        for (const char c : name.substr(at, length))
            quoted += c == '\\' || c == '\'' ? std::string{'\\', c} : std::string{c};
        at += length;
    }
    return quoted + "'";
}

std::string PrintableText(const std::string& text) {
    std::string printable;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = PrintableLength(text, at);
        printable += length == 0 ? std::string("?") : text.substr(at, length);
        at += length == 0 ? 1 : length;
    }
    return printable;
}
