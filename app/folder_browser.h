#pragma once
// The shell's folder dialog, as the Add command uses it.

#include <string>

namespace varnholt {

// Shows the shell's folder dialog with no owner window, the whole namespace
// offered and `prompt` above the tree. Returns true and sets `path` when the
// user chose an item that has a file-system path.
bool BrowseForFolder(const std::wstring& prompt, std::wstring& path);

} // namespace varnholt
