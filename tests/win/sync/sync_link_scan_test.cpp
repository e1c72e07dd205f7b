// The scan through real folder links under Wine. The links were made on the
// host (fixtures.sh): "self" -> ".", "sub\up" -> "..", "sub\again" -> "..\sub"
// and "sub\side" -> "..\other". Wine lists links to folders as folders.

#include <gtest/gtest.h>

#include <algorithm>

#include "sync/folder_entry.h"
#include "sync/folder_scan.h"
#include "tests/support/fixture_path.h"

namespace varnholt {
namespace {

TEST(SyncLinkScanTest, LinkLoopsEndAndOtherLinksAreFollowed) {
    const std::wstring root = test::HostFixturePath(L"links");
    ASSERT_FALSE(root.empty()) << "VARNHOLT_SYNC_FIXTURES is not set (run through CTest)";
    CStringArray list;
    ScanFolderTree(MakeFolderEntry(root), list, nullptr);
    std::vector<std::wstring> files(list.begin(), list.end());
    std::sort(files.begin(), files.end());
    std::vector<std::wstring> expected = {root + L"\\a.txt", root + L"\\other\\o.txt",
                                          root + L"\\sub\\b.txt", root + L"\\sub\\side\\o.txt"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(files, expected);
}

} // namespace
} // namespace varnholt
