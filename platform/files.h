#pragma once
// Whole-file reads (writes go through platform/fail_safe_write.h). Paths are
// full paths with backslashes (on POSIX they are turned into '/' paths).

#include <string>

namespace varnholt {

// Reads the whole file as bytes. The file is opened without sharing for the
// duration of the read, so a file another process holds open fails.
// Raises FileError (cause and the full path) when the file cannot be read.
std::string ReadWholeFile(const std::wstring& path);

} // namespace varnholt
