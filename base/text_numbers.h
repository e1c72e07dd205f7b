#pragma once
// Numbers read from texts the way the settings store them, and texts
// shortened for display.

#include <cstdint>
#include <string>

namespace varnholt {

// Decimal digits by place, right to left; any other character counts as 0
// but keeps its place. Wraps in 32 bits. "" -> 0, "1a2" -> 102, "-5" -> 5.
std::int32_t TextToInt(const std::wstring& text);

// As TextToInt in base 16; only "0123456789abcdef" are digits, so an
// upper-case letter counts as 0: "0407" -> 1031, "040C" -> 1024.
std::int32_t HexTextToInt(const std::wstring& text);

// Texts shorter than maxLength come back whole; longer ones become the first
// headLength characters, " ... " and the last (maxLength - headLength - 6)
// characters (a count below 0 takes none, one beyond the text takes all).
std::wstring ShortenText(const std::wstring& text, int maxLength, int headLength);

} // namespace varnholt
