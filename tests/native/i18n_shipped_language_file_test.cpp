// The language file that ships with the program (resources/Varnholttrl.ini),
// read with the program's own reader: every language in it must be complete
// and safe to show.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <cwctype>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/errors.h"
#include "base/latin1_lines.h"
#include "i18n/language_file.h"
#include "i18n/text_ids.h"
#include "platform/files.h"
#include "platform/text_files.h"

namespace varnholt {
namespace {

// The build gives the file's path with '/'; the program spells its paths
// with '\' (the POSIX layer turns them back into '/').
std::wstring ShippedLanguageFile() {
    std::wstring path = VARNHOLT_SHIPPED_LANGUAGE_FILE;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// The reader holds the file exclusively while it reads, and ctest may run
// several of these tests at once: wait for the other reader, don't fail.
template <typename Read> auto ReadShippedFile(Read read) {
    for (int attempt = 1;; ++attempt) {
        try {
            return read(ShippedLanguageFile());
        } catch (const FileError& error) {
            if (error.Fault() != FileFault::InUse || attempt == 200) {
                throw;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
}

bool IsLanguageHeader(const std::wstring& line) {
    return line.size() == 6 && line.front() == L'[' && line.back() == L']' &&
           std::all_of(line.begin() + 1, line.end() - 1,
                       [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The text GetText would give: the first entry with the number.
std::optional<std::wstring> TextOf(const std::vector<TranslationEntry>& entries,
                                   std::int32_t number) {
    for (const auto& entry : entries) {
        if (entry.number == number) {
            return entry.text;
        }
    }
    return std::nullopt;
}

// The printf conversions of a text, in order, "%%" left out. A '%' that
// starts no complete conversion is listed as far as it goes, so a stray
// percent sign differs from every real placeholder.
std::vector<std::wstring> Conversions(const std::wstring& text) {
    std::vector<std::wstring> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') {
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == L'%') {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && text[end] != L'\0' &&
               std::wcschr(L"-+ #0123456789.*hlLzjt", text[end]) != nullptr) {
            ++end;
        }
        if (end < text.size() && std::iswalpha(text[end])) {
            ++end;
        }
        found.push_back(text.substr(i, end - i));
        i = end - 1;
    }
    return found;
}

class ShippedLanguageFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_lines = ReadShippedFile(ReadLatin1Lines);
        s_markers.clear();
        for (const auto& line : s_lines) {
            if (IsLanguageHeader(line)) {
                s_markers.push_back(line);
            }
        }
    }

    static std::vector<std::wstring> s_lines;
    // "[NNNN]" headers in file order; "[----]" only names the system default.
    static std::vector<std::wstring> s_markers;
};

std::vector<std::wstring> ShippedLanguageFileTest::s_lines;
std::vector<std::wstring> ShippedLanguageFileTest::s_markers;

TEST_F(ShippedLanguageFileTest, EveryHeaderIsAFourDigitLanguageOrTheSystemDefault) {
    EXPECT_NE(std::find(s_markers.begin(), s_markers.end(), L"[1033]"), s_markers.end())
        << "English is the fallback language";
    EXPECT_NE(std::find(s_lines.begin(), s_lines.end(), L"[----]"), s_lines.end());
    for (const auto& line : s_lines) {
        if (!line.empty() && line.front() == L'[' && line != kSectionEndLine && line != L"[----]") {
            EXPECT_TRUE(IsLanguageHeader(line)) << "the language dialog would not list " << line;
        }
    }
}

TEST_F(ShippedLanguageFileTest, EveryLanguageHoldsEveryTextTheProgramAsksFor) {
    for (const auto& marker : s_markers) {
        const auto entries = ReadLanguageSection(s_lines, marker);
        for (std::int32_t number : text::kAllTextIds) {
            const auto text = TextOf(entries, number);
            ASSERT_TRUE(text.has_value()) << marker << " lacks entry " << number;
            EXPECT_FALSE(text->empty()) << marker << " has an empty entry " << number;
        }
    }
}

TEST_F(ShippedLanguageFileTest, EveryTextTakesTheSamePlaceholdersAsTheEnglishOne) {
    const auto english = ReadLanguageSection(s_lines, L"[1033]");
    ASSERT_EQ(Conversions(TextOf(english, text::kMinutesUntilRun).value_or(L"")),
              std::vector<std::wstring>{L"%d"});
    ASSERT_EQ(Conversions(TextOf(english, text::kIntervalStored).value_or(L"")),
              std::vector<std::wstring>{L"%s"});
    ASSERT_TRUE(Conversions(TextOf(english, text::kPassStarts).value_or(L"%")).empty());

    for (const auto& marker : s_markers) {
        const auto entries = ReadLanguageSection(s_lines, marker);
        for (std::int32_t number : text::kAllTextIds) {
            EXPECT_EQ(Conversions(TextOf(entries, number).value_or(L"")),
                      Conversions(TextOf(english, number).value_or(L"")))
                << marker << " entry " << number;
        }
    }
}

TEST_F(ShippedLanguageFileTest, IsSingleByteTextThatReadsBackWhole) {
    const std::string bytes = ReadShippedFile(ReadWholeFile);
    EXPECT_NE(bytes.rfind("\xEF\xBB\xBF", 0), 0u)
        << "a byte-order mark would hide the first header";
    EXPECT_EQ(bytes.find('\x1A'), std::string::npos) << "a 1A byte ends the text for the reader";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        // Typographic quotes, dashes and "..." saved in a Windows code page
        // land here, as control characters.
        EXPECT_FALSE(byte >= 0x80 && byte <= 0x9F) << "control byte " << int{byte} << " at " << i;
        const auto next = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        EXPECT_FALSE((byte == 0xC2 || byte == 0xC3) && next >= 0x80 && next <= 0xBF)
            << "UTF-8 sequence at byte " << i;
    }
    for (const auto& line : DecodeLatin1Lines(bytes)) {
        EXPECT_TRUE(IsLatin1(line));
        EXPECT_EQ(line.find(L'\r'), std::wstring::npos) << "a CR without LF stays in the line";
    }
}

TEST_F(ShippedLanguageFileTest, DisplayNamesAreUniqueSoTheLanguageDialogCanTellThemApart) {
    std::set<std::wstring> names;
    for (std::size_t i = 0; i + 2 < s_lines.size(); ++i) {
        if (IsLanguageHeader(s_lines[i]) || s_lines[i] == L"[----]") {
            // As the language dialog reads it: the second line after the
            // header, from its seventh character on.
            const std::wstring name = s_lines[i + 2].size() > 6 ? s_lines[i + 2].substr(6) : L"";
            EXPECT_FALSE(name.empty()) << s_lines[i];
            EXPECT_TRUE(names.insert(name).second) << "display name used twice: " << name;
        }
    }
    EXPECT_EQ(names.size(), s_markers.size() + 1);
}

} // namespace
} // namespace varnholt
