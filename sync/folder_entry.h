#pragma once
// Folder entries: a folder is held, shown and stored as its full path
// followed by the four characters "\...".

#include <string>

namespace varnholt {

inline constexpr wchar_t kFolderEntryTail[] = L"\\...";
inline constexpr std::size_t kFolderEntryTailLength = 4;

// path + "\..."
std::wstring MakeFolderEntry(const std::wstring& path);

// The entry without its last four characters; empty when it is shorter.
std::wstring StripFolderEntryTail(const std::wstring& entry);

} // namespace varnholt
