#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/folders.h"
#include "platform/native_path.h"

namespace varnholt {

struct FolderListing::State {
    DIR* dir = nullptr;
    std::string folder; // native path of the folder, with a trailing slash
};

FolderListing::FolderListing() : m_state(std::make_unique<State>()) {}

FolderListing::~FolderListing() {
    if (m_state->dir != nullptr) {
        closedir(m_state->dir);
    }
}

bool FolderListing::Open(const std::wstring& pattern) {
    std::wstring folder = pattern;
    if (folder.size() >= 2 && folder.back() == L'*' &&
        (folder[folder.size() - 2] == L'/' || folder[folder.size() - 2] == L'\\')) {
        folder.resize(folder.size() - 1);
    } else {
        return false; // only "folder/*" patterns are used
    }
    m_state->folder = ToNativePath(folder);
    m_state->dir = opendir(m_state->folder.c_str());
    return m_state->dir != nullptr;
}

bool FolderListing::Next(FolderItem& item) {
    if (m_state->dir == nullptr) {
        return false;
    }
    dirent* entry = readdir(m_state->dir);
    if (entry == nullptr) {
        return false;
    }
    item.name = FromNativeName(entry->d_name);
    item.isLink = entry->d_type == DT_LNK;
    if (entry->d_type == DT_UNKNOWN) {
        struct stat info {};
        std::string full = m_state->folder + entry->d_name;
        item.isLink = lstat(full.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    }
    // Links are followed, as on Windows: a link to a folder counts as a
    // folder, and a link's times are its target's.
    struct stat info {};
    const std::string full = m_state->folder + entry->d_name;
    const bool known = stat(full.c_str(), &info) == 0;
    item.isFolder = entry->d_type == DT_DIR || (known && S_ISDIR(info.st_mode));
    item.size = known ? static_cast<std::uint64_t>(info.st_size) : 0;
    // A time that cannot be read is the start of 1970, as for a failed query.
    item.lastWrite = kUnixEpochFileTime;
    if (known) {
        // Nothing before 1601 can be counted in a FILETIME.
        const std::int64_t seconds = std::max<std::int64_t>(
            info.st_mtim.tv_sec, -kUnixEpochFileTime / kFileTimeTicksPerSecond);
        item.lastWrite =
            kUnixEpochFileTime + seconds * kFileTimeTicksPerSecond + info.st_mtim.tv_nsec / 100;
    }
    return true;
}

std::wstring FileNameKey(const std::wstring& name) {
    return name;
}

bool QueryFolderIdentity(const std::wstring& path, FolderIdentity& identity) {
    struct stat info {};
    if (stat(ToNativePath(path).c_str(), &info) != 0) {
        return false;
    }
    identity.volume = static_cast<std::uint64_t>(info.st_dev);
    identity.index = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

bool QueryFinalFolderPath(const std::wstring& path, std::wstring& finalPath) {
    char* resolved = realpath(ToNativePath(path).c_str(), nullptr);
    if (resolved == nullptr) {
        return false;
    }
    const std::string native(resolved);
    free(resolved);
    // Decoded name by name, so the separators come back as backslashes.
    finalPath.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = native.find('/', start);
        finalPath += FromNativeName(native.substr(start, slash - start));
        if (slash == std::string::npos) {
            return true;
        }
        finalPath += L'\\';
        start = slash + 1;
    }
}

} // namespace varnholt
