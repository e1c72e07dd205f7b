#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "sync/folder_listings.h"
#include "tests/support/test_folder.h"

namespace varnholt {
namespace {

std::wstring Upper(std::wstring name) {
    for (wchar_t& c : name) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return name;
}

// A kept listing gives back every entry as the file system listed it, and
// finds each by its name and by any spelling with the same key, in a folder
// small enough to be searched entry by entry and in one large enough for a
// table.
TEST(SyncListingsTest, KeptListingGivesEveryEntryBackAndFindsItByKey) {
    for (const int files : {3, 40}) {
        SCOPED_TRACE(files);
        test::TestFolder dir;
        for (int i = 0; i < files; ++i) {
            dir.Write(L"File" + std::to_wstring(i) + L".txt", "x",
                      test::UtcFileTime(2024, 1, 1 + i % 28, 10, i % 60));
        }
        dir.MakeFolder(L"Sub");

        std::vector<FolderItem> listed;
        FolderListing listing;
        ASSERT_TRUE(listing.Open(dir.Path() + L"/*"));
        for (FolderItem item; listing.Next(item);) {
            if (item.name != L"." && item.name != L"..") {
                listed.push_back(item);
            }
        }

        FolderListings listings;
        const FolderContents& contents = listings.Contents(dir.Path());
        ASSERT_TRUE(contents.Listed());
        ASSERT_EQ(contents.Count(), listed.size());
        for (std::size_t i = 0; i < listed.size(); ++i) {
            const ListedItem item = contents.Item(i);
            EXPECT_EQ(item.name, listed[i].name);
            EXPECT_EQ(item.isFolder, listed[i].isFolder);
            EXPECT_EQ(item.lastWrite, listed[i].lastWrite);
            EXPECT_EQ(item.size, listed[i].size);

            ListedItem found;
            ASSERT_TRUE(contents.Find(listed[i].name, found));
            EXPECT_EQ(found.name.data(), item.name.data()); // the entry itself
            const std::wstring other = Upper(listed[i].name);
            EXPECT_EQ(contents.Find(other, found),
                      FileNameKey(other) == FileNameKey(listed[i].name));
        }
        ListedItem found;
        EXPECT_FALSE(contents.Find(L"File.txt", found));
        EXPECT_FALSE(contents.Find(L"", found));
        EXPECT_EQ(&listings.Contents(dir.Path()), &contents); // listed once
    }
}

TEST(SyncListingsTest, MissingFolderIsNotListedAndHasNoEntries) {
    test::TestFolder dir;
    FolderListings listings;
    const FolderContents& contents = listings.Contents(dir.Path(L"missing"));
    EXPECT_FALSE(contents.Listed());
    EXPECT_EQ(contents.Count(), 0u);
    ListedItem found;
    EXPECT_FALSE(contents.Find(L"missing", found));
}

} // namespace
} // namespace varnholt
