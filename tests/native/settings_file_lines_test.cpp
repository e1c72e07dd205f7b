#include <gtest/gtest.h>

#include <filesystem>

#include "base/errors.h"
#include "base/latin1_lines.h"
#include "platform/fail_safe_write.h"
#include "platform/files.h"
#include "platform/text_files.h"
#include "tests/support/test_folder.h"

namespace varnholt {
namespace {

using Lines = std::vector<std::wstring>;

TEST(Latin1LinesTest, SplitsAtLineFeeds) {
    EXPECT_EQ(DecodeLatin1Lines(""), Lines{});
    EXPECT_EQ(DecodeLatin1Lines("\n"), Lines{L""});
    EXPECT_EQ(DecodeLatin1Lines("a\r\n\r\nb"), (Lines{L"a", L"", L"b"}));
    EXPECT_EQ(DecodeLatin1Lines("a\r\r\nb\r"), (Lines{L"a\r", L"b\r"}));
    EXPECT_EQ(DecodeLatin1Lines("\x1A"
                                "a\n"),
              Lines{});
    EXPECT_EQ(DecodeLatin1Lines("a\nb\x1A\nc"), (Lines{L"a", L"b"}));
    EXPECT_EQ(DecodeLatin1Lines(std::string("n\0ul\n", 5)), (Lines{std::wstring(L"n\0ul", 4)}));
    EXPECT_EQ(DecodeLatin1Lines("\x80\xFF\xE9"), Lines{L"\x80\xFF\xE9"});
}

TEST(Latin1LinesTest, WritesCrLfAfterEveryLine) {
    EXPECT_EQ(EncodeLatin1Lines({}), "");
    EXPECT_EQ(EncodeLatin1Lines({L"", L"\xE9\xFF"}), "\r\n\xE9\xFF\r\n");
    EXPECT_THROW(EncodeLatin1Lines({L"ok", L"\x100"}), InvalidArgumentError);
    EXPECT_TRUE(IsLatin1(L"\xFF"));
    EXPECT_FALSE(IsLatin1(L"\x20AC"));
}

TEST(WholeFileTest, ReplaceCreatesAndReplacesWithExactBytes) {
    test::TestFolder folder;
    const std::string bytes("a\r\n\0\xFF\x1A", 6);
    WriteFileFailSafe(folder.Path(L"new.ini"), bytes);
    EXPECT_EQ(folder.Read(L"new.ini"), bytes);
    EXPECT_EQ(ReadWholeFile(folder.Path(L"new.ini")), bytes);
    WriteFileFailSafe(folder.Path(L"new.ini"), "");
    EXPECT_EQ(ReadWholeFile(folder.Path(L"new.ini")), "");
    const std::string big(300000, 'x');
    WriteFileFailSafe(folder.Path(L"new.ini"), big);
    EXPECT_EQ(ReadWholeFile(folder.Path(L"new.ini")), big);
    EXPECT_EQ(folder.Count(), 1u);
}

TEST(WholeFileTest, OverwriteInPlaceLeavesExactlyTheNewBytes) {
    test::TestFolder folder;
    folder.Write(L"config.ini", "a much longer old content\r\n");
    EXPECT_EQ(OverwriteFile(folder.Path(L"config.ini"), "short\r\n"), FileFault::None);
    EXPECT_EQ(folder.Read(L"config.ini"), "short\r\n");
    const std::string longer(100000, 'y');
    EXPECT_EQ(OverwriteFile(folder.Path(L"config.ini"), longer), FileFault::None);
    EXPECT_EQ(folder.Read(L"config.ini"), longer);
    EXPECT_EQ(OverwriteFile(folder.Path(L"absent.ini"), "x"), FileFault::Missing);
    EXPECT_EQ(folder.Count(), 1u);
}

TEST(WholeFileTest, ReplaceOverAFolderFailsAndLeavesNothingBehind) {
    test::TestFolder folder;
    std::filesystem::create_directories(folder.Fs(L"config.ini\\inside"));
    try {
        WriteFileFailSafe(folder.Path(L"config.ini"), "x\r\n");
        FAIL() << "no error raised";
    } catch (const FileError& e) {
        EXPECT_EQ(e.Path(), folder.Path(L"config.ini"));
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.Fs(L"config.ini\\inside")));
    EXPECT_EQ(folder.Count(), 1u);
    EXPECT_THROW(ReadWholeFile(folder.Path(L"config.ini")), FileError);
}

TEST(WholeFileTest, MissingFolderOnThePath) {
    test::TestFolder folder;
    folder.Write(L"plain", "x");
    for (const auto* name : {L"missing\\config.ini", L"plain\\config.ini"}) {
        EXPECT_THROW(WriteFileFailSafe(folder.Path(name), "x"), FileError);
        try {
            ReadWholeFile(folder.Path(name));
            ADD_FAILURE() << "no error raised";
        } catch (const FileError& e) {
            EXPECT_EQ(e.Fault(), FileFault::Missing);
        }
    }
    EXPECT_EQ(folder.Count(), 1u);
}

} // namespace
} // namespace varnholt
