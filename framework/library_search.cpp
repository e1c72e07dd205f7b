#include "framework/library_search.h"

#include <windows.h>

namespace varnholt {

void RestrictLibrarySearch() noexcept {
    // The current folder leaves the search of every later load.
    SetDllDirectoryW(L"");
    // Looked up at run time, so that a system without it still starts the
    // program. LOAD_LIBRARY_SEARCH_SYSTEM32 alone: the program's own folder
    // (LOAD_LIBRARY_SEARCH_APPLICATION_DIR) stays out, since the program
    // ships no library of its own and that folder may hold anybody's.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories =
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefaultDllDirectories != nullptr) {
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

} // namespace varnholt
