// SPDX-License-Identifier: MIT
#include "platform/win32/utf16.h"

#include <cstdint>

namespace platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

constexpr bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Reads one code point of UTF-8 at `at` and moves past it; a malformed sequence reads as one
// replacement character and moves one byte on, so the rest of the text survives.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<std::uint8_t>(text[at++]);
    if (lead < 0x80) return lead;
    int length = 0;
    char32_t point = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 1, point = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 2, point = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 3, point = lead & 0x07, smallest = 0x10000;
    } else {
        return kReplacement;
    }
    if (text.size() - at < static_cast<std::size_t>(length)) return kReplacement;
    for (int i = 0; i < length; ++i) {
        const auto next = static_cast<std::uint8_t>(text[at + i]);
        if ((next & 0xC0) != 0x80) return kReplacement;
        point = (point << 6) | (next & 0x3F);
    }
    if (point < smallest || point > 0x10FFFF || IsHighSurrogate(point) || IsLowSurrogate(point)) {
        return kReplacement;
    }
    at += length;
    return point;
}

void AppendUtf8(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

}  // namespace

std::wstring ToUtf16(std::string_view utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const char32_t point = NextCodePoint(utf8, at);
        if (point < 0x10000) {
            out += static_cast<wchar_t>(point);
        } else {
            out += static_cast<wchar_t>(0xD800 + ((point - 0x10000) >> 10));
            out += static_cast<wchar_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string ToUtf8(std::wstring_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 2);
    for (std::size_t at = 0; at < utf16.size(); ++at) {
        const auto unit = static_cast<char32_t>(static_cast<std::uint16_t>(utf16[at]));
        if (IsHighSurrogate(unit) && at + 1 < utf16.size()) {
            const auto low = static_cast<char32_t>(static_cast<std::uint16_t>(utf16[at + 1]));
            if (IsLowSurrogate(low)) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++at;
                continue;
            }
        }
        AppendUtf8(out, IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacement : unit);
    }
    return out;
}

}  // namespace platform
