#pragma once
// Text as UTF-8 bytes, for files that must hold any folder name (the run
// log): UTF-16 on Windows, UTF-32 elsewhere; a lone surrogate becomes U+FFFD.

#include <string>
#include <string_view>

namespace varnholt {

std::string ToUtf8(std::wstring_view text);

// Appends the UTF-8 bytes of one code point (at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t c);

} // namespace varnholt
