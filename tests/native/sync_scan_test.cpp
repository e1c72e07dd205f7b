#include <gtest/gtest.h>

#include <algorithm>

#include "platform/fail_safe_write.h"
#include "platform/folders.h"
#include "sync/folder_entry.h"
#include "sync/folder_scan.h"
#include "tests/support/test_folder.h"

namespace varnholt {
namespace {

std::vector<std::wstring> Scan(const std::wstring& folder, int* callbacks = nullptr) {
    CStringArray files;
    ScanFolderTree(MakeFolderEntry(folder), files, [&] {
        if (callbacks != nullptr) {
            ++*callbacks;
        }
    });
    return {files.begin(), files.end()};
}

// Names of a folder's entries in the order the listing returns them.
std::vector<std::wstring> ListingOrder(const std::wstring& folder) {
    std::vector<std::wstring> names;
    FolderListing listing;
    EXPECT_TRUE(listing.Open(folder + L"/*"));
    FolderItem item;
    while (listing.Next(item)) {
        if (item.name != L"." && item.name != L"..") {
            names.push_back(item.name);
        }
    }
    return names;
}

TEST(SyncScanTest, SubFolderFilesComeAtThePlaceOfTheirEntry) {
    test::TestFolder dir;
    dir.Write(L"a.txt", "a");
    dir.Write(L"sub\\c.txt", "c");
    dir.Write(L"sub\\deeper\\d.txt", "d");
    dir.Write(L"z.txt", "z");
    dir.MakeFolder(L"empty");

    std::vector<std::wstring> expected;
    for (const std::wstring& name : ListingOrder(dir.Path())) {
        if (name == L"sub") {
            expected.push_back(dir.Path(L"sub\\c.txt"));
            expected.push_back(dir.Path(L"sub\\deeper\\d.txt"));
            auto order = ListingOrder(dir.Path(L"sub"));
            if (std::find(order.begin(), order.end(), L"deeper") <
                std::find(order.begin(), order.end(), L"c.txt")) {
                std::swap(expected[expected.size() - 1], expected[expected.size() - 2]);
            }
        } else if (name != L"empty") {
            expected.push_back(dir.Path(name));
        }
    }
    int callbacks = 0;
    EXPECT_EQ(Scan(dir.Path(), &callbacks), expected);
    EXPECT_EQ(callbacks, 4); // the folder, sub, sub\deeper and empty
}

TEST(SyncScanTest, MissingFolderOrEmptyArgumentAddsNothing) {
    test::TestFolder dir;
    int callbacks = 0;
    EXPECT_TRUE(Scan(dir.Path(L"missing"), &callbacks).empty());
    EXPECT_EQ(callbacks, 0);
    CStringArray files;
    files.Add(L"kept");
    ScanFolderTree(L"\\...", files, nullptr);
    ScanFolderTree(L"ab", files, nullptr);
    ASSERT_EQ(files.GetSize(), 1u);
}

TEST(SyncScanTest, TemporaryCopiesAreNeverListed) {
    test::TestFolder dir;
    dir.Write(L"user.txt", "u");
    const std::wstring mine = MakeTemporaryName(CurrentProcessId(), 7);
    const std::wstring dead = MakeTemporaryName(0x7ffffff0u, 1);
    dir.Write(mine, "partial");
    dir.Write(L"sub\\" + dead, "partial");
    // Look-alikes are the user's files and are listed.
    dir.Write(L"~vh-0000000g-0001.tmp", "x");
    dir.Write(L"~vh-00000001-0001.tmp2", "x");

    std::vector<std::wstring> files = Scan(dir.Path());
    std::sort(files.begin(), files.end());
    std::vector<std::wstring> expected = {dir.Path(L"user.txt"), dir.Path(L"~vh-0000000g-0001.tmp"),
                                          dir.Path(L"~vh-00000001-0001.tmp2")};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(files, expected);
    // Both are fresh, so the scan leaves them alone.
    EXPECT_EQ(dir.Read(mine), "partial");
    EXPECT_EQ(dir.Read(L"sub\\" + dead), "partial");
}

TEST(SyncScanTest, AbandonedCopiesGoOnlyWhenTheirProcessIsGoneAndAfterADay) {
    test::TestFolder dir;
    const std::wstring mine = MakeTemporaryName(CurrentProcessId(), 3);
    const std::wstring dead = MakeTemporaryName(0x7ffffff0u, 3);
    dir.Write(mine, "x");
    dir.Write(dead, "x");
    std::int64_t now = CurrentFileTime();
    EXPECT_FALSE(RemoveAbandonedTemporary(dir.Path(dead), dead, now, kAbandonedTemporaryAge));
    EXPECT_FALSE(RemoveAbandonedTemporary(dir.Path(dead), dead, now + kAbandonedTemporaryAge / 2,
                                          kAbandonedTemporaryAge));
    EXPECT_FALSE(RemoveAbandonedTemporary(dir.Path(mine), mine, now + 2 * kAbandonedTemporaryAge,
                                          kAbandonedTemporaryAge));
    EXPECT_TRUE(RemoveAbandonedTemporary(dir.Path(dead), dead, now + 2 * kAbandonedTemporaryAge,
                                         kAbandonedTemporaryAge));
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{mine});
}

TEST(SyncScanTest, TemporaryNameForm) {
    EXPECT_EQ(MakeTemporaryName(0x1a2b, 0x10005), L"~vh-00001a2b-0005.tmp");
    std::uint32_t pid = 0;
    EXPECT_TRUE(IsTemporaryName(L"~vh-00001a2b-0005.tmp", &pid));
    EXPECT_EQ(pid, 0x1a2bu);
    for (const wchar_t* name :
         {L"~vh-00001A2B-0005.tmp", L"~vh-00001a2b-0005.tm", L"vh-00001a2b-0005.tmp",
          L"~vh-00001a2b_0005.tmp", L"~vh-1a2b-0005.tmp"}) {
        EXPECT_FALSE(IsTemporaryName(name)) << testing::PrintToString(std::wstring(name));
    }
}

#ifndef _WIN32
TEST(SyncScanTest, TrailingDotNamesAreDroppedHiddenFilesListed) {
    test::TestFolder dir;
    dir.Write(L"name.", "x");
    dir.Write(L".hidden", "h");
    EXPECT_EQ(Scan(dir.Path()), std::vector<std::wstring>{dir.Path(L".hidden")});
}

// Links that lead back up the tree end the descent; a link elsewhere is
// followed like a folder.
TEST(SyncScanTest, LinkLoopsEnd) {
    test::TestFolder dir;
    dir.Write(L"a.txt", "a");
    dir.Write(L"sub\\b.txt", "b");
    dir.Write(L"other\\o.txt", "o");
    std::filesystem::create_directory_symlink(".", dir.Fs(L"self"));
    std::filesystem::create_directory_symlink("..", dir.Fs(L"sub\\up"));
    std::filesystem::create_directory_symlink("../sub", dir.Fs(L"sub\\again"));
    std::filesystem::create_directory_symlink("../other", dir.Fs(L"sub\\side"));

    std::vector<std::wstring> files = Scan(dir.Path());
    std::sort(files.begin(), files.end());
    std::vector<std::wstring> expected = {dir.Path(L"a.txt"), dir.Path(L"other\\o.txt"),
                                          dir.Path(L"sub\\b.txt"), dir.Path(L"sub\\side\\o.txt")};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(files, expected);
}

TEST(SyncScanTest, ScanningThroughALinkToTheRootEnds) {
    test::TestFolder dir;
    dir.Write(L"real\\f.txt", "f");
    std::filesystem::create_directory_symlink("real", dir.Fs(L"link"));
    std::filesystem::create_directory_symlink("..", dir.Fs(L"real\\loop"));
    // Scanning via the link: real\loop leads to the parent, whose "link"
    // and "real" both lead back to the scanned folder, which is on the way
    // down, so each file is listed once.
    EXPECT_EQ(Scan(dir.Path(L"link")), std::vector<std::wstring>{dir.Path(L"link\\f.txt")});
}
#endif

} // namespace
} // namespace varnholt
