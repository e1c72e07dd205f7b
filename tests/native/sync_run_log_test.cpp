// The run log: written only when there is something to tell, in UTF-8 with a
// byte-order mark, turned into the old log at its limit, and never in the way.

#include <gtest/gtest.h>

#include <string>

#include "sync/run_log.h"
#include "tests/support/test_folder.h"

namespace varnholt {
namespace {

using test::UtcFileTime;

TEST(RunLogTest, WritesFileLinesThenTheRunsLineAndNothingForAnIdleRun) {
    test::TestFolder folder;
    const std::int64_t start = UtcFileTime(2026, 12, 9, 11, 30);
    {
        RunLog idle(folder.Path(), RunStart::Timer, start);
        idle.Finish(0, 0, 0, start);
    }
    EXPECT_TRUE(folder.Names().empty()); // not even an empty file

    {
        RunLog log(folder.Path(), RunStart::ByHand, start);
        log.Copied(L"C:\\A\\x.txt", L"D:\\B\\x.txt", false);
        log.Copied(L"D:\\B\\\x65E5\x672C.txt", L"C:\\A\\\x65E5\x672C.txt", true);
        log.Failed(L"C:\\A\\y.txt", L"D:\\B\\y.txt", L"The file is in use by another program.");
        log.Finish(1, 1, 1, start + 21 * kFileTimeTicksPerSecond / 10);
    }
    const std::string text = folder.Read(L"Varnholt.log");
    ASSERT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u);
    EXPECT_NE(text.find("  copied first to second  C:\\A\\x.txt -> D:\\B\\x.txt\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("  copied second to first  D:\\B\\\xE6\x97\xA5\xE6\x9C\xAC.txt -> "),
              std::string::npos);
    EXPECT_NE(text.find("  not copied  C:\\A\\y.txt -> D:\\B\\y.txt  (The file is in use by "
                        "another program.)\r\n"),
              std::string::npos);
    const std::string last = ":00  run by hand: 1 copied first to second, 1 second to first, "
                             "1 not copied, 2.1 s\r\n";
    EXPECT_EQ(text.substr(text.size() - last.size()), last);
}

TEST(RunLogTest, AtItsLimitTheLogBecomesTheOldOneAndANewOneStarts) {
    test::TestFolder folder;
    const std::string full = "\xEF\xBB\xBF" + std::string(kRunLogLimit, 'x');
    folder.Write(L"Varnholt.log", full);
    folder.Write(L"Varnholt.old.log", "older");
    RunLog log(folder.Path(), RunStart::Timer, UtcFileTime(2026, 1, 1, 0, 0));
    log.Copied(L"C:\\a", L"D:\\a", false);
    log.Finish(1, 0, 0, UtcFileTime(2026, 1, 1, 0, 0));
    EXPECT_EQ(folder.Read(L"Varnholt.old.log"), full);
    const std::string fresh = folder.Read(L"Varnholt.log");
    EXPECT_EQ(fresh.rfind("\xEF\xBB\xBF", 0), 0u);
    EXPECT_LT(fresh.size(), 300u);
}

TEST(RunLogTest, ALogThatCannotBeWrittenIsLeftOut) {
    test::TestFolder folder;
    folder.MakeFolder(L"Varnholt.log"); // a folder in the log's place
    RunLog log(folder.Path(), RunStart::ByHand, UtcFileTime(2026, 1, 1, 0, 0));
    log.Copied(L"C:\\a", L"D:\\a", false);
    log.Finish(1, 0, 0, UtcFileTime(2026, 1, 1, 0, 0));
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Varnholt.log"});
}

} // namespace
} // namespace varnholt
