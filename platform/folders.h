#pragma once
// Folder listing and folder identities.

#include <cstdint>
#include <memory>
#include <string>

namespace varnholt {

struct FolderItem {
    std::wstring name;
    bool isFolder = false; // the entry has the folder attribute (links to folders too)
    bool isLink = false;   // a link, junction or other reparse point, not a plain entry
};

// A listing of one folder's entries in the order the file system returns them
// (FindFirstFileW / FindNextFileW on Windows, including "." and ".." where
// the file system reports them). Holds one open listing handle until it is
// destroyed.
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

// What makes a folder the same folder whatever path reaches it: the volume
// serial number and file index on Windows, st_dev and st_ino on POSIX.
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FolderIdentity&) const = default;
};

// Identity of the folder at `path`, links followed. False when it cannot be
// read.
bool QueryFolderIdentity(const std::wstring& path, FolderIdentity& identity);

} // namespace varnholt
