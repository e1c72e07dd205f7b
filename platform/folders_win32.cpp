#include <windows.h>

#include "platform/folders.h"

namespace varnholt {

struct FolderListing::State {
    HANDLE find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW data{};
    bool pending = false; // `data` holds an entry not yet handed out
};

FolderListing::FolderListing() : m_state(std::make_unique<State>()) {}

FolderListing::~FolderListing() {
    if (m_state->find != INVALID_HANDLE_VALUE) {
        FindClose(m_state->find);
    }
}

bool FolderListing::Open(const std::wstring& pattern) {
    m_state->find = FindFirstFileW(pattern.c_str(), &m_state->data);
    m_state->pending = m_state->find != INVALID_HANDLE_VALUE;
    return m_state->pending;
}

bool FolderListing::Next(FolderItem& item) {
    if (m_state->find == INVALID_HANDLE_VALUE) {
        return false;
    }
    if (!m_state->pending && !FindNextFileW(m_state->find, &m_state->data)) {
        return false;
    }
    m_state->pending = false;
    item.name = m_state->data.cFileName;
    item.isFolder = (m_state->data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    item.isLink = (m_state->data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    return true;
}

bool QueryFolderIdentity(const std::wstring& path, FolderIdentity& identity) {
    // No access rights beyond reading attributes are needed; the backup
    // semantics flag is what lets CreateFileW open a folder. Links are
    // followed, so a link and its target give the same identity.
    HANDLE folder = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    BOOL ok = GetFileInformationByHandle(folder, &info);
    CloseHandle(folder);
    if (!ok) {
        return false;
    }
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

} // namespace varnholt
