#include "app/folder_browser.h"

#include <windows.h>

#include <shlobj.h>

namespace varnholt {

namespace {

// Frees an item list through the shell's allocator.
void FreeItemList(LPITEMIDLIST item) {
    if (!item) {
        return;
    }
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(item);
        allocator->Release();
    }
}

} // namespace

bool BrowseForFolder(const std::wstring& prompt, std::wstring& path) {
    BROWSEINFOW info{};
    info.hwndOwner = nullptr;
    info.pidlRoot = nullptr;
    info.lpszTitle = prompt.c_str();
    info.ulFlags = 0;
    info.lpfn = nullptr;

    LPITEMIDLIST item = SHBrowseForFolderW(&info);
    if (!item) {
        return false;
    }
    wchar_t buffer[MAX_PATH] = {};
    const bool hasPath = SHGetPathFromIDListW(item, buffer) != FALSE;
    FreeItemList(item);
    if (hasPath) {
        path = buffer;
    }
    return hasPath;
}

} // namespace varnholt
