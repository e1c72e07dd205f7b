#pragma once
// Path arithmetic of a synchronization pass.

#include <string>

namespace varnholt {

// The part of `file` below the folder of `fromEntry`, beginning with the
// backslash that follows the folder path: the last
// (length of file - length of fromEntry + 4) characters of `file`.
std::wstring RelativePart(const std::wstring& file, const std::wstring& fromEntry);

// The folder of `toEntry` (the entry without its "\..." tail) followed by
// `relative`. Empty when the entry names no folder, so that a damaged
// stored entry never sends copies to the root of the current drive.
std::wstring TargetPath(const std::wstring& toEntry, const std::wstring& relative);

} // namespace varnholt
