#pragma once
// Single-byte (ISO 8859-1) text read and written line by line: the settings
// file config.ini and the language file are such text (the files themselves
// are read and written by platform/text_files.h).
//
// Reading: each byte becomes the character of the same code; a line ends at
// LF, a CR directly before that LF is dropped and any other CR stays in the
// line; a byte 1A ends the text; the last line may lack its line end.
// Writing: every line, the last included, is followed by CR LF, and each
// character U+0000..U+00FF becomes the byte of the same value.

#include <string>
#include <string_view>
#include <vector>

namespace varnholt {

std::vector<std::wstring> DecodeLatin1Lines(std::string_view bytes);

// Raises InvalidArgumentError when a line holds a character above U+00FF.
std::string EncodeLatin1Lines(const std::vector<std::wstring>& lines);

// True when every character of `text` has a single-byte form.
bool IsLatin1(const std::wstring& text) noexcept;

} // namespace varnholt
