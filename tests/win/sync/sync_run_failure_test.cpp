// A run under Wine whose copies fail: each failure is reported with the
// user's file, its target and the cause, and the old target stays whole.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/handles.h"
#include "sync/folder_entry.h"
#include "sync/sync_run.h"
#include "tests/support/fixture_path.h"
#include "tests/support/test_folder.h"

namespace varnholt {
namespace {

using test::UtcFileTime;

CStringArray One(const std::wstring& folder) {
    CStringArray list;
    list.Add(MakeFolderEntry(folder));
    return list;
}

bool FixtureMissing(const wchar_t* marker) {
    return GetFileAttributesW(test::HostFixturePath(marker).c_str()) != INVALID_FILE_ATTRIBUTES;
}

class SyncRunFailureTest : public testing::Test {
protected:
    test::TestFolder from;
    test::TestFolder to;
    const std::int64_t oldTime = UtcFileTime(2009, 3, 4, 5, 6);
    const std::int64_t newTime = UtcFileTime(2011, 7, 8, 9, 10);
};

TEST_F(SyncRunFailureTest, TargetHeldOpenByAnotherProgramIsInUse) {
    from.Write(L"f.txt", "fresh", newTime);
    to.Write(L"f.txt", "old", oldTime);
    UniqueFile lock(CreateFileW(to.Path(L"f.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    const RunReport report = RunSynchronization(One(from.Path()), One(to.Path()), {});
    lock.close();
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].from, from.Path(L"f.txt"));
    EXPECT_EQ(report.failures[0].to, to.Path(L"f.txt"));
    EXPECT_EQ(report.failures[0].cause, FileFault::InUse);
    EXPECT_EQ(to.Read(L"f.txt"), "old");
    EXPECT_EQ(to.Names(), std::vector<std::wstring>{L"f.txt"});
}

TEST_F(SyncRunFailureTest, FolderThatRefusesWritingIsAccessDenied) {
    const std::wstring readOnly = test::HostFixturePath(L"readonly");
    ASSERT_FALSE(readOnly.empty()) << "VARNHOLT_SYNC_FIXTURES is not set (run through CTest)";
    if (FixtureMissing(L"no-readonly-disk")) {
        GTEST_SKIP() << "no read-only file system could be mounted for this test";
    }
    from.Write(L"old.txt", "fresh", newTime);
    from.Write(L"new.txt", "new", newTime);
    const RunReport report = RunSynchronization(One(from.Path()), One(readOnly), {});
    ASSERT_EQ(report.failures.size(), 2u);
    for (const CopyFailure& failure : report.failures) {
        EXPECT_EQ(failure.cause, FileFault::AccessDenied) << failure.to;
    }
    std::ifstream old(std::filesystem::path(readOnly + L"\\old.txt"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old\n");
}

TEST_F(SyncRunFailureTest, FullDiskIsReportedAndTheOldTargetStaysWhole) {
    const std::wstring small = test::HostFixturePath(L"small");
    ASSERT_FALSE(small.empty()) << "VARNHOLT_SYNC_FIXTURES is not set (run through CTest)";
    if (FixtureMissing(L"no-small-disk")) {
        GTEST_SKIP() << "no small file system could be mounted for this test";
    }
    const std::wstring target = small + L"\\run";
    CreateDirectoryW(target.c_str(), nullptr);
    from.Write(L"big.bin", std::string(200000, 'n'), newTime); // three times the room
    const RunReport report = RunSynchronization(One(from.Path()), One(target), {});
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].to, target + L"\\big.bin");
    EXPECT_EQ(report.failures[0].cause, FileFault::DiskFull);
    EXPECT_EQ(GetFileAttributesW((target + L"\\big.bin").c_str()), INVALID_FILE_ATTRIBUTES);
    RemoveDirectoryW(target.c_str());
}

TEST_F(SyncRunFailureTest, FolderWhereTheFileShouldGoIsNamed) {
    from.Write(L"report", "a file", newTime);
    to.MakeFolder(L"report");
    ASSERT_TRUE(SetFileModificationTime(to.Path(L"report"), oldTime));
    const RunReport report = RunSynchronization(One(from.Path()), One(to.Path()), {});
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].cause, FileFault::FolderInTheWay);
    EXPECT_TRUE(QueryFileStatus(to.Path(L"report")).isFolder);
}

} // namespace
} // namespace varnholt
