#include <windows.h>

#include "platform/folders.h"
#include "platform/handles.h"

namespace varnholt {

struct FolderListing::State {
    UniqueFind find;
    WIN32_FIND_DATAW data{};
    bool pending = false; // `data` holds an entry not yet handed out
};

FolderListing::FolderListing() : m_state(std::make_unique<State>()) {}

FolderListing::~FolderListing() = default;

bool FolderListing::Open(const std::wstring& pattern) {
    // The basic information level leaves out the short 8.3 names, and the
    // large fetch asks for entries in big batches: both make long listings
    // cheaper.
    m_state->find.reset(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &m_state->data,
                                         FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH));
    m_state->pending = static_cast<bool>(m_state->find);
    return m_state->pending;
}

bool FolderListing::Next(FolderItem& item) {
    if (!m_state->find) {
        return false;
    }
    if (!m_state->pending && !FindNextFileW(m_state->find.get(), &m_state->data)) {
        return false;
    }
    m_state->pending = false;
    item.name = m_state->data.cFileName;
    item.isFolder = (m_state->data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    item.isLink = (m_state->data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    const FILETIME& written = m_state->data.ftLastWriteTime;
    const auto time = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime);
    item.lastWrite = time;
    item.size = (static_cast<std::uint64_t>(m_state->data.nFileSizeHigh) << 32) |
                m_state->data.nFileSizeLow;
    return true;
}

std::wstring FileNameKey(const std::wstring& name) {
    // The file system compares names through its own upper-case table; the
    // invariant upper-case mapping is that table for every letter in use.
    std::wstring key = name;
    if (!key.empty()) {
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.c_str(),
                      static_cast<int>(name.size()), key.data(), static_cast<int>(key.size()),
                      nullptr, nullptr, 0);
    }
    return key;
}

namespace {

// No access rights beyond reading attributes are needed; the backup
// semantics flag is what lets CreateFileW open a folder. Links are followed.
UniqueFile OpenFolderToLookAt(const std::wstring& path) {
    return UniqueFile(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

} // namespace

bool QueryFolderIdentity(const std::wstring& path, FolderIdentity& identity) {
    const UniqueFile folder = OpenFolderToLookAt(path);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!folder || !GetFileInformationByHandle(folder.get(), &info)) {
        return false;
    }
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return identity.index != 0;
}

bool QueryFinalFolderPath(const std::wstring& path, std::wstring& finalPath) {
    const UniqueFile folder = OpenFolderToLookAt(path);
    if (!folder) {
        return false;
    }
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(folder.get(), buffer.data(),
                                                       static_cast<DWORD>(buffer.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) {
            return false;
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            finalPath = std::move(buffer);
            return true;
        }
        buffer.resize(length); // the size asked for, terminator included
    }
}

} // namespace varnholt
