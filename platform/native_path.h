#pragma once
// POSIX only: the program's paths are Windows paths (backslashes, wide
// characters); these turn them into the byte paths of the POSIX calls and
// back. Used by the *_posix.cpp files of this folder.

#include <string>

namespace varnholt {

// Backslashes become slashes; characters are encoded as UTF-8. Characters
// U+DC80..U+DCFF stand for single bytes that were not valid UTF-8 (see
// FromNativeName), so every name read from a folder maps back to itself.
std::string ToNativePath(const std::wstring& path);

// A file name read from the file system, decoded from UTF-8; a byte that is
// not part of valid UTF-8 becomes U+DC00 + byte.
std::wstring FromNativeName(const std::string& name);

} // namespace varnholt
