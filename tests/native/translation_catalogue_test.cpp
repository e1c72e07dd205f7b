#include <gtest/gtest.h>

#include "base/errors.h"
#include "i18n/language_marker.h"
#include "i18n/text_ids.h"
#include "i18n/translation.h"
#include "platform/program_path.h"
#include "platform/registry.h"
#include "tests/support/test_folder.h"

namespace varnholt {
namespace {

// A program folder with config.ini and a language file. The system language
// is English (United States): the Wine prefix reports 0409, and natively the
// in-process registry is given the same value.
class TranslationTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetModuleFileNameForTesting(m_folder.Path(L"Varnholt.exe"));
#ifndef _WIN32
        RegistrySet(RegistryRoot::LocalMachine, kSystemLanguageKey, kSystemLanguageValue, kRegSz,
                    RegistryTextBytes(L"0409"));
#endif
    }
    void TearDown() override {
        SetModuleFileNameForTesting(L"");
    }

    void Settings(const std::string& language, const std::string& dialects = "",
                  const std::string& productId = "Varnholt") {
        m_folder.Write(L"config.ini", "Product ID\r\n" + productId + "\r\nLanguage\r\n" + language +
                                          "\r\nDialects[1031]\r\n" + dialects + "\r\n");
    }
    void LanguageFile(const std::string& bytes, const std::wstring& name = L"Varnholttrl.ini") {
        m_folder.Write(name, bytes);
    }

    test::TestFolder m_folder;
    CTranslation m_translation;
};

const char* const kTwoLanguages = "[----]\r\n"
                                  "00000 \r\n"
                                  "00000 System default language\r\n"
                                  "[EOL]\r\n"
                                  "[1033]\r\n"
                                  "00000 \r\n"
                                  "00000 English\r\n"
                                  "00010 Folders to synchronize\r\n"
                                  "00075 Next run in %d minutes\r\n"
                                  "[EOL]\r\n"
                                  "[1031]\r\n"
                                  "00000 \r\n"
                                  "00000 Deutsch\r\n"
                                  "00010 Zu synchronisierende Ordner\r\n"
                                  "00999 nur deutsch\r\n"
                                  "[EOL]\r\n";

TEST_F(TranslationTest, LoadsTheStoredSection) {
    Settings("[1031]");
    LanguageFile(kTwoLanguages);
    m_translation.LoadLanguage();
    EXPECT_EQ(m_translation.GetText(text::kFoldersGroup), L"Zu synchronisierende Ordner");
    EXPECT_EQ(m_translation.GetText(0), L""); // the first 00000 line
    EXPECT_EQ(m_translation.Entries().size(), 4u);
    EXPECT_EQ(m_translation.Entries()[1].text, L"Deutsch");
}

TEST_F(TranslationTest, SectionLinesShortLinesDuplicatesAndOddNumbers) {
    Settings("[1036]");
    LanguageFile("[1036]\n"
                 "00010 premier\n"
                 "\n"
                 "0002\n"
                 "00010 second\n"
                 "00015\n"
                 "00020:\n"
                 "0x025 x\n"
                 "00030 Caf\xE9 & \xE4\r\n"
                 "00035 a\rb\n"
                 "[eol]\n"
                 "00040 after lower-case end\n"
                 "[EOL]\n"
                 "00045 outside\n");
    m_translation.LoadLanguage();
    EXPECT_EQ(m_translation.GetText(10), L"premier");
    EXPECT_EQ(m_translation.GetText(15), L"");
    EXPECT_EQ(m_translation.GetText(20), L"");
    EXPECT_EQ(m_translation.GetText(25), L"x"); // "0x025" reads as 25
    EXPECT_EQ(m_translation.GetText(30), L"Caf\xE9 & \xE4");
    EXPECT_EQ(m_translation.GetText(35), L"a\rb");
    EXPECT_EQ(m_translation.GetText(40), L"after lower-case end");
    EXPECT_EQ(m_translation.GetText(45), L"");
    EXPECT_EQ(m_translation.Entries().size(), 9u); // "[eol]" is an entry line too
}

TEST_F(TranslationTest, HeaderMustMatchTheWholeLine) {
    Settings("[1031]");
    LanguageFile("[1031] \r\n00010 blank after header\r\n[EOL]\r\n"
                 "\xEF\xBB\xBF[1031]\r\n00010 after a byte-order mark\r\n[EOL]\r\n");
    m_translation.LoadLanguage();
    EXPECT_TRUE(m_translation.Entries().empty());
    EXPECT_EQ(m_translation.GetText(10), L"");
}

TEST_F(TranslationTest, EndOfFileStopsTheSectionAndKeepsWhatWasRead) {
    Settings("[1033]");
    LanguageFile("[1033]\r\n00010 one\r\n00015 two");
    m_translation.LoadLanguage();
    EXPECT_EQ(m_translation.GetText(10), L"one");
    EXPECT_EQ(m_translation.GetText(15), L"two");
    // Byte 1A ends the text as well.
    LanguageFile("[1033]\r\n00010 one\r\n\x1A"
                 "00015 two\r\n[EOL]\r\n");
    m_translation.LoadLanguage();
    EXPECT_EQ(m_translation.Entries().size(), 1u);
}

TEST_F(TranslationTest, SystemLanguageFallsBackToEnglish) {
    Settings("[----]");
    LanguageFile(kTwoLanguages);
    m_translation.LoadLanguage();
    EXPECT_EQ(m_translation.GetText(text::kFoldersGroup), L"Folders to synchronize");
}

TEST_F(TranslationTest, SystemLanguageListedAsDialectLoadsGerman) {
    Settings("[----]", "[2055][1033][3079]");
    LanguageFile(kTwoLanguages);
    m_translation.LoadLanguage();
    EXPECT_EQ(m_translation.GetText(text::kFoldersGroup), L"Zu synchronisierende Ordner");
}

TEST_F(TranslationTest, EmptyLanguageSettingFollowsTheSystem) {
    // Taken literally, the first empty line would count as the header and
    // the lines after it as entries.
    Settings("");
    LanguageFile("\r\n00010 not a section\r\n[EOL]\r\n" + std::string(kTwoLanguages));
    m_translation.LoadLanguage();
    EXPECT_EQ(m_translation.GetText(text::kFoldersGroup), L"Folders to synchronize");
}

TEST_F(TranslationTest, ReloadReplacesEveryEntry) {
    Settings("[1031]");
    LanguageFile(kTwoLanguages);
    m_translation.LoadLanguage();
    EXPECT_EQ(m_translation.GetText(999), L"nur deutsch");
    Settings("[1033]");
    m_translation.LoadLanguage();
    EXPECT_EQ(m_translation.GetText(999), L"");
    EXPECT_EQ(m_translation.GetText(text::kMinutesUntilRun), L"Next run in %d minutes");
    Settings("[2057]"); // no such section: nothing stays
    m_translation.LoadLanguage();
    EXPECT_TRUE(m_translation.Entries().empty());
}

TEST_F(TranslationTest, FileNameComesFromProductId) {
    Settings("[1033]", "", "");
    LanguageFile("[1033]\r\n00010 plain\r\n[EOL]\r\n", L"trl.ini");
    m_translation.LoadLanguage();
    EXPECT_EQ(m_translation.GetText(10), L"plain");
    EXPECT_EQ(LanguageFilePath(), m_folder.Path(L"trl.ini"));
}

TEST_F(TranslationTest, MissingLanguageFileRaisesAndKeepsTheOldTexts) {
    Settings("[1033]");
    LanguageFile(kTwoLanguages);
    m_translation.LoadLanguage();
    Settings("[1033]", "", "Other");
    try {
        m_translation.LoadLanguage();
        FAIL() << "no error raised";
    } catch (const FileError& e) {
        EXPECT_EQ(e.Fault(), FileFault::Missing);
        EXPECT_EQ(e.Path(), m_folder.Path(L"Othertrl.ini"));
    }
    EXPECT_EQ(m_translation.GetText(text::kFoldersGroup), L"Folders to synchronize");
    // The same for the system-language path, which tests the file first.
    Settings("[----]", "", "Other");
    EXPECT_THROW(m_translation.LoadLanguage(), FileError);
}

} // namespace
} // namespace varnholt
