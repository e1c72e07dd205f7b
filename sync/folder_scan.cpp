#include "sync/folder_scan.h"

#include <vector>

#include "platform/file_times.h"
#include "platform/folders.h"
#include "sync/folder_entry.h"
#include "sync/safe_copy.h"

namespace varnholt {

namespace {

// The filler that the recursion puts where a folder entry has its "\...".
constexpr wchar_t kScanFiller[] = L"aaaa";

class FolderScan {
public:
    FolderScan(CStringArray& fileList, const std::function<void()>& afterEachFolder)
        : m_fileList(fileList), m_afterEachFolder(afterEachFolder), m_now(CurrentFileTime()) {}

    void Scan(const std::wstring& argument) {
        std::wstring folder = StripFolderEntryTail(argument);
        if (folder.empty()) {
            return; // "/*" alone would list the root of the current drive
        }
        // The identities of the folders on the way down; an unknown identity
        // is not recorded (the listing of such a folder usually fails too,
        // and path length limits bound the depth in any case).
        // "C:" alone would name the current folder of drive C, not its root.
        FolderIdentity identity;
        bool known = QueryFolderIdentity(folder.back() == L':' ? folder + L'\\' : folder, identity);
        if (known) {
            for (const FolderIdentity& ancestor : m_path) {
                if (ancestor == identity) {
                    return;
                }
            }
            m_path.push_back(identity);
        }
        ListFolder(folder);
        if (known) {
            m_path.pop_back();
        }
    }

private:
    void ListFolder(const std::wstring& folder) {
        {
            FolderListing listing;
            if (!listing.Open(folder + L"/*")) {
                return;
            }
            FolderItem item;
            while (listing.Next(item)) {
                std::wstring path = folder + L'\\' + item.name;
                if (item.isFolder) {
                    if (item.name != L"." && item.name != L"..") {
                        Scan(path + kScanFiller);
                    }
                } else if (IsCopyTemporaryName(item.name)) {
                    RemoveAbandonedCopy(path, item.name, m_now);
                } else if (path.back() != L'.') {
                    m_fileList.Add(path);
                }
            }
        }
        if (m_afterEachFolder) {
            m_afterEachFolder();
        }
    }

    CStringArray& m_fileList;
    const std::function<void()>& m_afterEachFolder;
    std::int64_t m_now;
    std::vector<FolderIdentity> m_path;
};

} // namespace

void ScanFolderTree(const std::wstring& scanArgument, CStringArray& fileList,
                    const std::function<void()>& afterEachFolder) {
    FolderScan(fileList, afterEachFolder).Scan(scanArgument);
}

} // namespace varnholt
