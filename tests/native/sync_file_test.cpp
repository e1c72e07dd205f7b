#include <gtest/gtest.h>

#include "settings/power_class.h"
#include "sync/compared_time.h"
#include "sync/file_compare.h"
#include "sync/safe_copy.h"
#include "tests/support/test_folder.h"

#ifndef _WIN32
#include <sys/mount.h>
#endif

namespace varnholt {
namespace {

using test::UtcFileTime;

class SyncFileTest : public testing::Test {
protected:
    test::TestFolder a;
    test::TestFolder b;
    SyncClock clock;
};

TEST_F(SyncFileTest, NewerByAMinuteIsCopiedWithinTheSameMinuteIsNot) {
    const std::int64_t base = UtcFileTime(2012, 5, 6, 7, 8, 10);
    a.Write(L"f.txt", "new", base + 60 * kFileTimeTicksPerSecond);
    b.Write(L"f.txt", "old", base);
    a.Write(L"g.txt", "new", base + 45 * kFileTimeTicksPerSecond); // 07:08:55, same minute
    b.Write(L"g.txt", "old", base);

    EXPECT_FALSE(
        SyncFile(b.Path(L"f.txt"), a.Path(L"f.txt"), clock)); // older never goes over newer
    EXPECT_TRUE(SyncFile(a.Path(L"f.txt"), b.Path(L"f.txt"), clock));
    EXPECT_EQ(b.Read(L"f.txt"), "new");
    EXPECT_EQ(QueryFileStatus(b.Path(L"f.txt")).lastWrite, base + 60 * kFileTimeTicksPerSecond);
    // Second pass: the copy kept its time, so nothing goes back.
    EXPECT_FALSE(SyncFile(b.Path(L"f.txt"), a.Path(L"f.txt"), clock));

    EXPECT_FALSE(SyncFile(a.Path(L"g.txt"), b.Path(L"g.txt"), clock));
    EXPECT_EQ(b.Read(L"g.txt"), "old");
    // Nothing but the user's files is left in the target folder.
    EXPECT_EQ(b.Names(), (std::vector<std::wstring>{L"f.txt", L"g.txt"}));
}

TEST_F(SyncFileTest, MissingCounterpartIsCreatedWithItsFolders) {
    a.Write(L"x\\y\\f.txt", "content", UtcFileTime(2001, 1, 2, 0, 0));
    EXPECT_TRUE(SyncFile(a.Path(L"x\\y\\f.txt"), b.Path(L"x\\y\\f.txt"), clock));
    EXPECT_EQ(b.Read(L"x\\y\\f.txt"), "content");
    EXPECT_EQ(b.Names(L"x\\y"), std::vector<std::wstring>{L"f.txt"});
}

TEST_F(SyncFileTest, MissingSourceOrNoTargetFolderCopiesNothing) {
    b.Write(L"f.txt", "old", UtcFileTime(2003, 1, 1, 0, 0));
    EXPECT_FALSE(SyncFile(a.Path(L"gone.txt"), b.Path(L"f.txt"), clock));
    EXPECT_EQ(b.Read(L"f.txt"), "old");
    EXPECT_EQ(PowerClass::ShellCopyFile(a.Path(L"gone.txt"), b.Path(L"f.txt")), 0);
    EXPECT_EQ(b.Read(L"f.txt"), "old");
    a.Write(L"f.txt", "new", UtcFileTime(2004, 1, 1, 0, 0));
    EXPECT_FALSE(SyncFile(a.Path(L"f.txt"), L"", clock));
    // A folder in the target's place is not replaced.
    b.MakeFolder(L"dir");
    a.Write(L"dir", "file", UtcFileTime(2004, 1, 1, 0, 0));
    EXPECT_EQ(SafeCopyFile(a.Path(L"dir"), b.Path(L"dir")).fault, FileFault::FolderInTheWay);
    EXPECT_TRUE(QueryFileStatus(b.Path(L"dir")).isFolder);
}

TEST_F(SyncFileTest, ShellCopyFileReplacesANewerTargetAndReturnsZero) {
    a.Write(L"f.txt", "older", UtcFileTime(2005, 1, 1, 0, 0));
    b.Write(L"f.txt", "newer", UtcFileTime(2006, 1, 1, 0, 0));
    EXPECT_EQ(PowerClass::ShellCopyFile(a.Path(L"f.txt"), b.Path(L"f.txt")), 0);
    EXPECT_EQ(b.Read(L"f.txt"), "older");
    EXPECT_EQ(QueryFileStatus(b.Path(L"f.txt")).lastWrite, UtcFileTime(2005, 1, 1, 0, 0));
    EXPECT_TRUE(PowerClass::PathExists(b.Path()));
    EXPECT_FALSE(PowerClass::PathExists(b.Path(L"nothing")));
}

// What counts as missing, decided in one place: no entry, a path too long to
// take part, a time before 1970; each is compared as the start of 1970.
TEST(ComparedTimeTest, MissingLongAndOldSidesCountAsTheStartOf1970) {
    const std::int64_t y2000 = UtcFileTime(2000, 1, 1, 0, 0);
    struct Case {
        std::size_t pathLength;
        bool exists;
        std::int64_t lastWrite;
        std::int64_t compared;
    };
    const Case cases[] = {
        {10, true, y2000, y2000},
        {259, true, y2000, y2000},
        {10, false, y2000, kUnixEpochFileTime},
        {260, true, y2000, kUnixEpochFileTime},
        {10, true, UtcFileTime(1960, 6, 1, 12, 0), kUnixEpochFileTime},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComparedTime(c.pathLength, c.exists, c.lastWrite), c.compared)
            << c.pathLength << " " << c.exists;
    }
}

TEST_F(SyncFileTest, TimesBefore1970ReadAsTheStartOf1970) {
    a.Write(L"old.txt", "1960", UtcFileTime(1960, 6, 1, 12, 0));
    // As old as a missing file: not copied.
    EXPECT_FALSE(SyncFile(a.Path(L"old.txt"), b.Path(L"old.txt"), clock));
    // And it never wins over a real date.
    b.Write(L"old.txt", "1999", UtcFileTime(1999, 6, 1, 12, 0));
    EXPECT_FALSE(SyncFile(a.Path(L"old.txt"), b.Path(L"old.txt"), clock));
    EXPECT_TRUE(SyncFile(b.Path(L"old.txt"), a.Path(L"old.txt"), clock));
    EXPECT_EQ(a.Read(L"old.txt"), "1999");
}

TEST_F(SyncFileTest, LongPathsHaveNoEntry) {
    std::wstring longPath = a.Path(std::wstring(260, L'x'));
    EXPECT_FALSE(QueryFileStatus(longPath).exists);
    EXPECT_FALSE(PowerClass::PathExists(longPath));
}

TEST_F(SyncFileTest, FailedReplacementKeepsTheTargetAndRemovesTheTemporaryFile) {
    a.Write(L"f.txt", "new content", UtcFileTime(2010, 1, 1, 0, 0));
    b.Write(L"f.txt", "old", UtcFileTime(2009, 1, 1, 0, 0));
    std::wstring seenTemporary;
    CopyOutcome outcome;
    {
        test::BeforeReplaceScope seam([&](const std::wstring& temp, const std::wstring&) {
            seenTemporary = temp;
            // The target turns into a folder holding a file: no rename can
            // replace it now.
            std::filesystem::remove(b.Fs(L"f.txt"));
            b.Write(L"f.txt\\inside", "x");
            return FileFault::None;
        });
        outcome = SafeCopyFile(a.Path(L"f.txt"), b.Path(L"f.txt"));
    }
    // The replacement failed because a folder now stands in the target's place.
    EXPECT_EQ(outcome.result, CopyResult::Failed);
    EXPECT_EQ(outcome.fault, FileFault::FolderInTheWay);
    EXPECT_EQ(seenTemporary.substr(0, b.Path().size() + 1), b.Path() + L"\\");
    EXPECT_TRUE(IsTemporaryName(seenTemporary.substr(b.Path().size() + 1)));
    EXPECT_FALSE(QueryFileStatus(seenTemporary).exists);
    EXPECT_EQ(b.Names(), std::vector<std::wstring>{L"f.txt"});
}

#ifndef _WIN32
TEST_F(SyncFileTest, ReadOnlyTargetIsReplacedAndKeepsTheSourceMode) {
    a.Write(L"f.txt", "new", UtcFileTime(2010, 1, 1, 0, 0));
    b.Write(L"f.txt", "old", UtcFileTime(2009, 1, 1, 0, 0));
    std::filesystem::permissions(b.Fs(L"f.txt"), std::filesystem::perms::owner_read);
    EXPECT_TRUE(SyncFile(a.Path(L"f.txt"), b.Path(L"f.txt"), clock));
    EXPECT_EQ(b.Read(L"f.txt"), "new");
    EXPECT_EQ(std::filesystem::status(b.Fs(L"f.txt")).permissions(),
              std::filesystem::status(a.Fs(L"f.txt")).permissions());
}

// A target folder on a tiny file system: the copy runs out of room halfway.
TEST_F(SyncFileTest, CopyThatRunsOutOfRoomLeavesTheOldTargetWhole) {
    b.MakeFolder(L"small");
    std::string where = b.Fs(L"small").string();
    if (mount("tmpfs", where.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount a small file system here (needs root)";
    }
    const std::int64_t oldTime = UtcFileTime(2009, 1, 1, 0, 0);
    b.Write(L"small\\f.txt", std::string(20000, 'o'), oldTime);
    a.Write(L"f.txt", std::string(200000, 'n'), UtcFileTime(2010, 1, 1, 0, 0));
    CopyOutcome outcome;
    EXPECT_FALSE(SyncFile(a.Path(L"f.txt"), b.Path(L"small\\f.txt"), clock, &outcome));
    EXPECT_EQ(outcome.result, CopyResult::Failed);
    EXPECT_EQ(outcome.fault, FileFault::DiskFull);
    EXPECT_EQ(b.Read(L"small\\f.txt"), std::string(20000, 'o'));
    EXPECT_EQ(QueryFileStatus(b.Path(L"small\\f.txt")).lastWrite, oldTime);
    EXPECT_EQ(b.Names(L"small"), std::vector<std::wstring>{L"f.txt"});
    umount(where.c_str());
}
#endif

} // namespace
} // namespace varnholt
