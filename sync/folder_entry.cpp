#include "sync/folder_entry.h"

namespace varnholt {

std::wstring MakeFolderEntry(const std::wstring& path) {
    return path + kFolderEntryTail;
}

std::wstring StripFolderEntryTail(const std::wstring& entry) {
    if (entry.size() <= kFolderEntryTailLength) {
        return std::wstring();
    }
    return entry.substr(0, entry.size() - kFolderEntryTailLength);
}

} // namespace varnholt
