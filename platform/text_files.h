#pragma once
// Single-byte line files (base/latin1_lines.h) on disk: read whole, and
// replaced whole without ever leaving a half-written file.

#include <string>
#include <vector>

namespace varnholt {

// Reads the whole file and splits it into lines. Raises FileError.
std::vector<std::wstring> ReadLatin1Lines(const std::wstring& path);

// True when the file holds a line equal to `line` (exact: letter case and
// blanks count). Raises FileError when the file cannot be read.
bool FileContainsLine(const std::wstring& path, const std::wstring& line);

// Replaces the whole file with the lines (see WriteFileFailSafe): on failure
// the old file stays whole. Raises FileError or InvalidArgumentError.
void WriteLatin1Lines(const std::wstring& path, const std::vector<std::wstring>& lines);

} // namespace varnholt
