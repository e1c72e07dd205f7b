#pragma once
// Where Windows looks for the libraries a program loads by name while it
// runs: only in the system folder. The shell's folder dialog, the taskbar,
// the common controls and help load libraries of their own on demand; by
// default Windows would look for those beside the program first and in the
// current folder too, so a library dropped there (beside a portable copy in
// Downloads, say) would run inside the program. The entry point
// (app_main.cpp) restricts the search before anything else, for every
// program built on it.

namespace varnholt {

// From now on, a library loaded by name is searched for in the system folder
// (System32) only: not beside the program, not in the current folder, not on
// PATH. Where the system lacks that setting (Windows 7 without its update
// KB2533623), the current folder at least leaves the search, and the program
// goes on either way.
void RestrictLibrarySearch() noexcept;

} // namespace varnholt
