#pragma once
// Text as UTF-8 bytes, for files that must hold any folder name (the run
// log): UTF-16 on Windows, UTF-32 elsewhere; a lone surrogate becomes U+FFFD.

#include <string>
#include <string_view>

namespace varnholt {

std::string ToUtf8(std::wstring_view text);

} // namespace varnholt
