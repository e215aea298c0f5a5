#include "cli/JsonRecord.h"

#include <cstdio>

namespace {

std::string Escape(const char* format, unsigned value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// The length of the valid UTF-8 sequence at `i`, or 0 when the byte there starts none.
std::size_t Utf8Length(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned lead = byte(i);
    std::size_t length = lead < 0x80                    ? 1
                         : lead >= 0xC2 && lead <= 0xDF ? 2
                         : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                        : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    // Overlong forms, surrogates and values past U+10FFFF.
    if (lead == 0xE0 && byte(i + 1) < 0xA0) return 0;
    if (lead == 0xED && byte(i + 1) > 0x9F) return 0;
    if (lead == 0xF0 && byte(i + 1) < 0x90) return 0;
    if (lead == 0xF4 && byte(i + 1) > 0x8F) return 0;
    return length;
}

std::string Number(std::int64_t value) {
    return value < 0 ? "null" : std::to_string(value);
}

}  // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = Utf8Length(text, i);
        if (length == 0) {
            out += Escape("\\udc%02x", c);
            ++i;
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20 || c == 0x7F) {
            out += c == '\n' ? "\\n" : c == '\t' ? "\\t" : c == '\r' ? "\\r" : Escape("\\u%04x", c);
        } else {
            out.append(text, i, length);
        }
        i += length;
    }
    return out + "\"";
}

std::string JsonRecord(const PlannedOutput& entry, const FileOutcome& outcome) {
    static const char* const statusNames[] = {"ok", "failed", "skipped"};
    std::string record = "{\"source\":" + JsonString(entry.source) +
                         ",\"output\":" + (entry.output.empty() ? "null" : JsonString(entry.output)) +
                         ",\"status\":\"" + statusNames[outcome.status] + "\"";
    if (outcome.status == FileOutcome::Failed) record += ",\"error\":" + JsonString(outcome.error);
    record += ",\"bytes\":" + Number(outcome.bytes) + ",\"width\":" + Number(outcome.width) +
              ",\"height\":" + Number(outcome.height) + ",\"quality\":" + Number(outcome.quality) +
              ",\"milliseconds\":" + Number(outcome.milliseconds) + "}";
    return record;
}
