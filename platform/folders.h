#pragma once
// Folder listing and folder identities.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file_times.h"

namespace varnholt {

struct FolderItem {
    std::wstring name;
    bool isFolder = false; // the entry has the folder attribute (links to folders too)
    bool isLink = false;   // a link, junction or other reparse point, not a plain entry
    // As QueryFileStatus would give them for the entry's path: the
    // last-modification time as the file system keeps it, and the size.
    std::int64_t lastWrite = kUnixEpochFileTime;
    std::uint64_t size = 0;
};

// A listing of one folder's entries with their times, in the order the file
// system returns them (FindFirstFileExW / FindNextFileW on Windows, including
// "." and ".." where the file system reports them). Holds one open listing
// handle until it is destroyed.
class FolderListing {
public:
    // Starts the listing for `pattern`: a folder path followed by "/*" or
    // "\*". False when the folder is missing or cannot be listed.
    bool Open(const std::wstring& pattern);
    // The next entry; false when there are no more.
    bool Next(FolderItem& item);

    FolderListing();
    ~FolderListing();
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// A key under which the file system takes two names for the same entry: on
// Windows names that differ only in letter case are the same, elsewhere only
// equal names are.
std::wstring FileNameKey(const std::wstring& name);

// What makes a folder the same folder whatever path reaches it: the volume
// serial number and file index on Windows, st_dev and st_ino on POSIX.
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FolderIdentity&) const = default;
};

// Identity of the folder at `path`, links followed. False when it cannot be
// read, or when the file system gives folders no index of their own (some
// network file systems report 0 for all of them).
bool QueryFolderIdentity(const std::wstring& path, FolderIdentity& identity);

// The path the file system itself gives the folder at `path`: every link,
// junction and substituted drive followed, names in their stored spelling
// ("\\?\C:\Users\Ann" on Windows, "\home\ann" elsewhere). False when it
// cannot be read.
bool QueryFinalFolderPath(const std::wstring& path, std::wstring& finalPath);

} // namespace varnholt
