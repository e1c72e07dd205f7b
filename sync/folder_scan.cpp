#include "sync/folder_scan.h"

#include <vector>

#include "platform/fail_safe_write.h"
#include "platform/file_times.h"
#include "platform/folders.h"
#include "sync/folder_entry.h"

namespace varnholt {

namespace {

// Link loops: a folder reached through a link (or below one) is never
// entered when it is already on the way down from the scanned folder,
// compared by identity (volume and file index), not by name. Without links a
// folder tree has no cycles, so identities are queried only once the way
// down has passed a link, and for the folders above it only then: a tree
// without links costs no identity query at all.
class FolderScan {
public:
    FolderScan(FolderListings& listings, const FileVisitor& onFile,
               const std::function<void()>& afterEachFolder, const LeftOutFolder& leftOut)
        : m_listings(listings), m_onFile(onFile), m_afterEachFolder(afterEachFolder),
          m_leftOut(leftOut),
          m_leftOutKey(leftOut.path.empty() ? std::wstring() : FileNameKey(leftOut.path)),
          m_now(CurrentFileTime()) {}

    void Scan(const std::wstring& folder, bool throughLink) {
        if (folder.empty()) {
            return; // "/*" alone would list the root of the current drive
        }
        Frame frame{folder, {}, false, false};
        if (throughLink || m_linksOnTheWay > 0) {
            // An unknown identity is not compared (the listing of such a
            // folder usually fails too, and path length limits bound the
            // depth in any case).
            if (LoadIdentity(frame)) {
                if (frame.identity == m_leftOut.identity) {
                    return;
                }
                for (Frame& ancestor : m_path) {
                    if (LoadIdentity(ancestor) && ancestor.identity == frame.identity) {
                        return;
                    }
                }
            }
        }
        m_path.push_back(std::move(frame));
        m_linksOnTheWay += throughLink ? 1 : 0;
        ListFolder(folder);
        m_linksOnTheWay -= throughLink ? 1 : 0;
        m_path.pop_back();
    }

private:
    struct Frame {
        std::wstring folder;
        FolderIdentity identity;
        bool identityQueried = false;
        bool known = false;
    };

    static bool LoadIdentity(Frame& frame) {
        if (!frame.identityQueried) {
            frame.identityQueried = true;
            // "C:" alone would name the current folder of drive C, not its root.
            const std::wstring& folder = frame.folder;
            frame.known = QueryFolderIdentity(folder.back() == L':' ? folder + L'\\' : folder,
                                              frame.identity);
        }
        return frame.known;
    }

    void ListFolder(const std::wstring& folder) {
        const FolderContents& contents = m_listings.Contents(folder);
        if (!contents.Listed()) {
            return;
        }
        for (std::size_t i = 0; i < contents.Count(); ++i) {
            const ListedItem item = contents.Item(i);
            std::wstring path;
            path.reserve(folder.size() + 1 + item.name.size());
            path.append(folder).append(1, L'\\').append(item.name);
            if (item.isFolder) {
                if (m_leftOutKey.empty() || FileNameKey(path) != m_leftOutKey) {
                    Scan(path, item.isLink);
                }
            } else if (IsTemporaryName(item.name)) {
                RemoveAbandonedTemporary(path, std::wstring(item.name), m_now,
                                         kAbandonedTemporaryAge);
            } else if (path.back() != L'.') {
                m_onFile(path, item);
            }
        }
        if (m_afterEachFolder) {
            m_afterEachFolder();
        }
    }

    FolderListings& m_listings;
    const FileVisitor& m_onFile;
    const std::function<void()>& m_afterEachFolder;
    const LeftOutFolder& m_leftOut;
    const std::wstring m_leftOutKey;
    std::int64_t m_now;
    std::vector<Frame> m_path;
    int m_linksOnTheWay = 0;
};

} // namespace

void WalkFolderTree(const std::wstring& folder, FolderListings& listings, const FileVisitor& onFile,
                    const std::function<void()>& afterEachFolder, const LeftOutFolder& leftOut) {
    FolderScan(listings, onFile, afterEachFolder, leftOut).Scan(folder, false);
}

void ScanFolderTree(const std::wstring& scanArgument, CStringArray& fileList,
                    const std::function<void()>& afterEachFolder) {
    FolderListings listings;
    WalkFolderTree(
        StripFolderEntryTail(scanArgument), listings,
        [&fileList](const std::wstring& path, const ListedItem&) { fileList.Add(path); },
        afterEachFolder);
}

} // namespace varnholt
