#pragma once
// Single-byte (ISO 8859-1) text files read and written line by line: the
// settings file config.ini, the language file and FileContainsLine share it.
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

// Reads the whole file and splits it into lines. Raises FileError.
std::vector<std::wstring> ReadLatin1Lines(const std::wstring& path);

// Replaces the whole file with the lines (see ReplaceWholeFile): on failure
// the old file stays whole. Raises FileError or InvalidArgumentError.
void WriteLatin1Lines(const std::wstring& path, const std::vector<std::wstring>& lines);

} // namespace varnholt
