// The safe copy on Windows: a target that cannot be replaced, a read-only
// target, and a disk that fills up halfway. In each failure the old target
// must survive whole, with its old time, and no temporary file may remain.

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/handles.h"
#include "sync/file_compare.h"
#include "sync/safe_copy.h"
#include "tests/support/fixture_path.h"
#include "tests/support/test_folder.h"

namespace varnholt {
namespace {

using test::UtcFileTime;

class SyncCopyFaultTest : public testing::Test {
protected:
    test::TestFolder from;
    test::TestFolder to;
    SyncClock clock;
    const std::int64_t oldTime = UtcFileTime(2009, 3, 4, 5, 6);
    const std::int64_t newTime = UtcFileTime(2011, 7, 8, 9, 10);
};

TEST_F(SyncCopyFaultTest, LockedTargetSurvivesWhole) {
    from.Write(L"f.txt", "fresh content", newTime);
    to.Write(L"f.txt", "old", oldTime);
    // Opened without sharing, as an editor or a backup program might.
    UniqueFile lock(CreateFileW(to.Path(L"f.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    CopyOutcome outcome;
    EXPECT_FALSE(SyncFile(from.Path(L"f.txt"), to.Path(L"f.txt"), clock, &outcome));
    lock.close();
    EXPECT_EQ(outcome.result, CopyResult::Failed);
    EXPECT_EQ(outcome.fault, FileFault::InUse);

    EXPECT_EQ(to.Read(L"f.txt"), "old");
    EXPECT_EQ(QueryFileStatus(to.Path(L"f.txt")).lastWrite, oldTime);
    EXPECT_EQ(to.Names(), std::vector<std::wstring>{L"f.txt"});
    // Once the file is free, the next run copies it.
    EXPECT_TRUE(SyncFile(from.Path(L"f.txt"), to.Path(L"f.txt"), clock));
    EXPECT_EQ(to.Read(L"f.txt"), "fresh content");
}

TEST_F(SyncCopyFaultTest, LockDuringTheReplacementKeepsTheTarget) {
    from.Write(L"f.txt", "fresh content", newTime);
    to.Write(L"f.txt", "old", oldTime);
    UniqueFile lock;
    CopyOutcome outcome;
    {
        test::BeforeReplaceScope seam([&](const std::wstring&, const std::wstring& target) {
            lock.reset(CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
            return FileFault::None;
        });
        outcome = SafeCopyFile(from.Path(L"f.txt"), to.Path(L"f.txt"));
    }
    ASSERT_TRUE(lock);
    lock.close();
    EXPECT_EQ(outcome.result, CopyResult::Failed);
    EXPECT_EQ(outcome.fault, FileFault::InUse);
    EXPECT_EQ(to.Read(L"f.txt"), "old");
    EXPECT_EQ(QueryFileStatus(to.Path(L"f.txt")).lastWrite, oldTime);
    EXPECT_EQ(to.Names(), std::vector<std::wstring>{L"f.txt"});
}

TEST_F(SyncCopyFaultTest, ReadOnlyTargetIsReplacedWithTheSourceAttributesAndTime) {
    from.Write(L"f.txt", "fresh", newTime);
    to.Write(L"f.txt", "old", oldTime);
    ASSERT_TRUE(SetFileAttributesW(to.Path(L"f.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(SyncFile(from.Path(L"f.txt"), to.Path(L"f.txt"), clock));
    EXPECT_EQ(to.Read(L"f.txt"), "fresh");
    EXPECT_EQ(QueryFileStatus(to.Path(L"f.txt")).lastWrite, newTime);
    EXPECT_EQ(GetFileAttributesW(to.Path(L"f.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(to.Names(), std::vector<std::wstring>{L"f.txt"});

    // A read-only source gives a read-only copy, which a later copy replaces.
    ASSERT_TRUE(SetFileAttributesW(from.Path(L"f.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    from.Write(L"g.txt", "g", newTime);
    ASSERT_TRUE(SetFileAttributesW(from.Path(L"g.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(SyncFile(from.Path(L"g.txt"), to.Path(L"g.txt"), clock));
    EXPECT_NE(GetFileAttributesW(to.Path(L"g.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    SetFileAttributesW(from.Path(L"f.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(from.Path(L"g.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(to.Path(L"g.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SyncCopyFaultTest, DiskFullHalfwayLeavesTheOldTargetWhole) {
    const std::wstring small = test::HostFixturePath(L"small");
    ASSERT_FALSE(small.empty()) << "VARNHOLT_SYNC_FIXTURES is not set (run through CTest)";
    if (GetFileAttributesW(test::HostFixturePath(L"no-small-disk").c_str()) !=
        INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "no small file system could be mounted for this test";
    }
    const std::wstring target = small + L"\\f.txt";
    {
        const UniqueFile file(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        const std::string old(20000, 'o');
        DWORD written = 0;
        ASSERT_TRUE(
            WriteFile(file.get(), old.data(), static_cast<DWORD>(old.size()), &written, nullptr));
    }
    ASSERT_TRUE(SetFileModificationTime(target, oldTime));
    from.Write(L"f.txt", std::string(200000, 'n'), newTime); // three times the free room

    CopyOutcome outcome;
    EXPECT_FALSE(SyncFile(from.Path(L"f.txt"), target, clock, &outcome));
    EXPECT_EQ(outcome.result, CopyResult::Failed);
    EXPECT_EQ(outcome.fault, FileFault::DiskFull);
    FileStatus after = QueryFileStatus(target);
    EXPECT_EQ(after.size, 20000u);
    EXPECT_EQ(after.lastWrite, oldTime);
    // Nothing but the target is left on the small disk.
    WIN32_FIND_DATAW data;
    const UniqueFind find(FindFirstFileW((small + L"\\*").c_str(), &data));
    ASSERT_TRUE(find);
    std::vector<std::wstring> names;
    do {
        if (std::wstring(data.cFileName) != L"." && std::wstring(data.cFileName) != L"..") {
            names.push_back(data.cFileName);
        }
    } while (FindNextFileW(find.get(), &data));
    EXPECT_EQ(names, std::vector<std::wstring>{L"f.txt"});
    DeleteFileW(target.c_str());
}

} // namespace
} // namespace varnholt
