#pragma once
// Listing every file below a folder.

#include <functional>
#include <optional>
#include <string>

#include "base/string_array.h"
#include "sync/folder_listings.h"

namespace varnholt {

using FileVisitor = std::function<void(const std::wstring& path, const ListedItem& item)>;

// A folder a walk leaves out with everything below it: the folder a pass
// copies into, where it lies inside the folder it scans
// (sync/nested_folders.h).
struct LeftOutFolder {
    std::wstring path;                      // as the walk reaches it; letter case aside
    std::optional<FolderIdentity> identity; // where a link leads into it
};

// Calls `onFile` for every file below `folder` (a folder path without a
// trailing backslash), in the order and by the rules of ScanFolderTree
// below, with the file's full path and its listing entry (time, size). The
// folders are listed through `listings`. `afterEachFolder` (may be empty) is
// called after each folder, sub-folders included. `leftOut` is not entered.
void WalkFolderTree(const std::wstring& folder, FolderListings& listings, const FileVisitor& onFile,
                    const std::function<void()>& afterEachFolder,
                    const LeftOutFolder& leftOut = {});

// Appends to `fileList` the full path of every file below the folder named
// by `scanArgument` (a folder path followed by four characters that are
// dropped, such as a folder entry's "\..."), at any depth:
//   - entries in the order the file system lists them, a sub-folder's files
//     at the place of the sub-folder's entry;
//   - paths ending in "." are not listed; hidden, system and read-only files
//     are;
//   - links to folders are followed, but never into a folder that is already
//     on the way down from the scanned folder, so link loops end;
//   - the temporary files of fail-safe writes are not listed, and abandoned ones are
//     removed (see platform/fail_safe_write.h);
//   - a folder that cannot be listed, or an argument that names no folder,
//     adds nothing.
// `afterEachFolder` (may be empty) is called after each folder has been
// listed, sub-folders included; the main window refreshes itself there.
void ScanFolderTree(const std::wstring& scanArgument, CStringArray& fileList,
                    const std::function<void()>& afterEachFolder);

} // namespace varnholt
