#include <gtest/gtest.h>

#include "base/errors.h"
#include "platform/program_path.h"
#include "settings/power_class.h"
#include "tests/support/test_folder.h"

namespace varnholt {
namespace {

TEST(TextToIntTest, ReadsDigitsByPlace) {
    EXPECT_EQ(PowerClass::TextToInt(L"007"), 7);
    EXPECT_EQ(PowerClass::TextToInt(L"12x"), 120);
    EXPECT_EQ(PowerClass::TextToInt(L"1a2"), 102);
    EXPECT_EQ(PowerClass::TextToInt(L"4 2"), 402);
    EXPECT_EQ(PowerClass::TextToInt(L" 42"), 42);
    EXPECT_EQ(PowerClass::TextToInt(L"-5"), 5);
    EXPECT_EQ(PowerClass::TextToInt(L""), 0);
    EXPECT_EQ(PowerClass::TextToInt(L"2147483647"), 2147483647);
}

TEST(TextToIntTest, WrapsIn32Bits) {
    EXPECT_EQ(PowerClass::TextToInt(L"2147483648"), std::int32_t(-2147483647 - 1));
    EXPECT_EQ(PowerClass::TextToInt(L"4294967296"), 0);
    EXPECT_EQ(PowerClass::TextToInt(L"4294967297"), 1);
    // Digits beyond the tenth place still take part in the wrapped sum.
    EXPECT_EQ(PowerClass::TextToInt(L"10000000000"), 1410065408);
    // A long run of non-digits shifts a digit past every place without fault.
    EXPECT_EQ(PowerClass::TextToInt(L"9" + std::wstring(40, L'x')), 0);
}

TEST(TextToIntTest, OnlyAsciiDigitsCount) {
    // Full-width and Arabic-Indic digits are not digits here.
    EXPECT_EQ(PowerClass::TextToInt(L"\xFF11"
                                    L"2"),
              2);
    EXPECT_EQ(PowerClass::TextToInt(L"\x0661"
                                    L"5"),
              5);
}

TEST(HexTextToIntTest, OnlyLowerCaseLettersAreDigits) {
    EXPECT_EQ(PowerClass::HexTextToInt(L"0407"), 1031);
    EXPECT_EQ(PowerClass::HexTextToInt(L"040c"), 1036);
    EXPECT_EQ(PowerClass::HexTextToInt(L"040C"), 1024);
    EXPECT_EQ(PowerClass::HexTextToInt(L"ff"), 255);
    EXPECT_EQ(PowerClass::HexTextToInt(L"FF"), 0);
    EXPECT_EQ(PowerClass::HexTextToInt(L""), 0);
    EXPECT_EQ(PowerClass::HexTextToInt(L"ffffffff"), -1);
    EXPECT_EQ(PowerClass::HexTextToInt(L"100000000"), 0);
}

TEST(ShortenTextTest, KeepsShortTextsAndCutsLongOnes) {
    const std::wstring digits = L"0123456789";
    const std::wstring text49 = digits + digits + digits + digits + L"abcdefghi";
    EXPECT_EQ(PowerClass::ShortenText(text49, 50, 10), text49);

    const std::wstring text50 = text49 + L"j";
    const std::wstring cut = PowerClass::ShortenText(text50, 50, 10);
    EXPECT_EQ(cut, digits + L" ... " + text50.substr(16));
    EXPECT_EQ(cut.size(), 49u);
    EXPECT_EQ(PowerClass::ShortenText(text50 + text50, 50, 15).size(), 49u);
}

TEST(ShortenTextTest, CountsOutsideTheTextAreClamped) {
    // Tail count below zero takes nothing; a head beyond the text takes it all.
    EXPECT_EQ(PowerClass::ShortenText(L"abcdef", 3, 10), L"abcdef ... ");
    EXPECT_EQ(PowerClass::ShortenText(L"abcdef", 3, -4), L" ... f");
    EXPECT_EQ(PowerClass::ShortenText(L"abcdef", 100, 0), L"abcdef");
    EXPECT_EQ(PowerClass::ShortenText(L"", 0, 0), L" ... ");
    EXPECT_EQ(PowerClass::ShortenText(L"abc", 50, 60), L"abc");
    EXPECT_EQ(PowerClass::ShortenText(L"abcdef", 6, 0), L" ... ");
}

class ProgramDirectoryTest : public ::testing::Test {
protected:
    void TearDown() override { SetModuleFileNameForTesting(L""); }
};

TEST_F(ProgramDirectoryTest, EverythingBeforeTheLastBackslash) {
    PowerClass power;
    SetModuleFileNameForTesting(L"C:\\Program Files\\Varnholt\\Varnholt.exe");
    EXPECT_EQ(power.GetProgramDirectory(), L"C:\\Program Files\\Varnholt");
    SetModuleFileNameForTesting(L"C:\\x.exe");
    EXPECT_EQ(power.GetProgramDirectory(), L"C:");
    SetModuleFileNameForTesting(L"x.exe");
    EXPECT_EQ(power.GetProgramDirectory(), L"");
}

TEST_F(ProgramDirectoryTest, RealNameIsTheRunningTestProgram) {
    PowerClass power;
    const std::wstring folder = power.GetProgramDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    const std::wstring name = ProgramModuleFileName();
    EXPECT_EQ(name.substr(0, folder.size() + 1), folder + L"\\");
    EXPECT_NE(name.find(L"core_tests"), std::wstring::npos);
}

TEST(FileContainsLineTest, ComparesWholeLinesExactly) {
    test::TestFolder folder;
    folder.Write(L"trl.ini",
                 "\xEF\xBB\xBF[1033]\r\nabc\r\n[1031]\nDef \r\n[10\r36]\r\n\xE4\x1A[2057]\r\n");
    const auto path = folder.Path(L"trl.ini");
    EXPECT_FALSE(PowerClass::FileContainsLine(path, L"[1033]")); // a byte-order mark is text
    EXPECT_TRUE(PowerClass::FileContainsLine(path, L"\xEF\xBB\xBF[1033]"));
    EXPECT_TRUE(PowerClass::FileContainsLine(path, L"[1031]"));
    EXPECT_TRUE(PowerClass::FileContainsLine(path, L"Def "));
    EXPECT_FALSE(PowerClass::FileContainsLine(path, L"Def"));
    EXPECT_FALSE(PowerClass::FileContainsLine(path, L"ABC"));
    EXPECT_TRUE(PowerClass::FileContainsLine(path, L"[10\r36]")); // a lone CR stays
    EXPECT_TRUE(PowerClass::FileContainsLine(path, L"\xE4"));
    EXPECT_FALSE(PowerClass::FileContainsLine(path, L"[2057]")); // after the end mark
}

TEST(FileContainsLineTest, MissingFileRaisesFileErrorWithFullPath) {
    test::TestFolder folder;
    const auto path = folder.Path(L"none.ini");
    try {
        PowerClass::FileContainsLine(path, L"x");
        FAIL() << "no error raised";
    } catch (const FileError& e) {
        EXPECT_EQ(e.Fault(), FileFault::Missing);
        EXPECT_EQ(e.Path(), path);
        EXPECT_EQ(e.Message(), path + L" was not found.");
    }
}

} // namespace
} // namespace varnholt
