#include "sync/run_paths.h"

#include "sync/folder_entry.h"

namespace varnholt {

std::wstring RelativePart(const std::wstring& file, const std::wstring& fromEntry) {
    auto count = static_cast<long long>(file.size()) - static_cast<long long>(fromEntry.size()) +
                 static_cast<long long>(kFolderEntryTailLength);
    if (count <= 0) {
        return std::wstring();
    }
    if (static_cast<std::size_t>(count) >= file.size()) {
        return file;
    }
    return file.substr(file.size() - static_cast<std::size_t>(count));
}

std::wstring TargetPath(const std::wstring& toEntry, const std::wstring& relative) {
    std::wstring folder = StripFolderEntryTail(toEntry);
    if (folder.empty()) {
        return std::wstring();
    }
    return folder + relative;
}

} // namespace varnholt
