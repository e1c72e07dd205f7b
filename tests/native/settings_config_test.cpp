#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/errors.h"
#include "platform/fail_safe_write.h"
#include "platform/files.h"
#include "platform/program_path.h"
#include "platform/text_files.h"
#include "settings/config_keys.h"
#include "settings/power_class.h"
#include "tests/support/test_folder.h"

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace varnholt {
namespace {

class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override { SetModuleFileNameForTesting(m_folder.Path(L"Varnholt.exe")); }
    void TearDown() override { SetModuleFileNameForTesting(L""); }

    void WriteConfig(const std::string& bytes) { m_folder.Write(L"config.ini", bytes); }
    std::string Config() const { return m_folder.Read(L"config.ini"); }

    test::TestFolder m_folder;
    PowerClass m_power;
};

TEST_F(ConfigFileTest, PathIsProgramDirectoryAndConfigIni) {
    EXPECT_EQ(m_power.ConfigFilePath(), m_folder.Path() + L"\\config.ini");
}

TEST_F(ConfigFileTest, ReadsTheLineAfterTheLastKeyLine) {
    WriteConfig("SyncInterval\r\n60\r\nNextSync\r\n12\r\nSyncInterval\r\n90\r\n");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKeys::kSyncInterval), L"90");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKeys::kNextSync), L"12");
}

TEST_F(ConfigFileTest, ValueLinesOfOtherKeysAreCandidateKeyLines) {
    WriteConfig("A\r\nB\r\nB\r\nx\r\n");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKey::ForTesting(L"B")), L"B");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKey::ForTesting(L"A")), L"B");
    // Taken as a value, a line is not compared again: "x" is not B's value.
    WriteConfig("K\r\nK\r\nv\r\n");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKey::ForTesting(L"K")), L"K");
}

TEST_F(ConfigFileTest, KeysMatchWholeLinesExactly) {
    WriteConfig("language\r\na\r\n Language\r\nb\r\nLanguage \r\nc\r\n");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKeys::kLanguage), L"");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKey::ForTesting(L"Language ")), L"c");
}

TEST_F(ConfigFileTest, EmptyAndMissingValues) {
    WriteConfig("Startup\r\n\r\nHomepage\r\nhttp://x\r\nLanguage");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKeys::kStartup), L"");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKeys::kHomepage), L"http://x");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKeys::kLanguage), L""); // key on the last line
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKeys::kOptions), L"");  // no key line at all
}

TEST_F(ConfigFileTest, LineEndsSingleBytesAndEndMark) {
    WriteConfig("Options\n01\nProduct ID\r\nVarnholt\xE9\r\nCR\r\na\rb\r\r\nNextSync\x1A\n5\n");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKeys::kOptions), L"01");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKeys::kProductId), L"Varnholt\xE9");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKey::ForTesting(L"CR")), L"a\rb\r");
    // Byte 1A ends the text: "NextSync" is the last line and has no value.
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKeys::kNextSync), L"");
}

TEST_F(ConfigFileTest, WriteReplacesEveryOccurrenceAndRewritesWithCrLf) {
    WriteConfig("A\n1\nB\n2\rx\nA\r\n3\nloose line");
    m_power.WriteConfigValue(ConfigKey::ForTesting(L"A"), L"9");
    EXPECT_EQ(Config(), "A\r\n9\r\nB\r\n2\rx\r\nA\r\n9\r\nloose line\r\n");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKey::ForTesting(L"A")), L"9");
}

TEST_F(ConfigFileTest, WriteOfAnAbsentKeyOnlyNormalisesLineEnds) {
    WriteConfig("Options\n01\nNextSync\n5\x1A"
                "Lost\n");
    m_power.WriteConfigValue(ConfigKeys::kFolders1, L"C:\\a\\...*");
    EXPECT_EQ(Config(), "Options\r\n01\r\nNextSync\r\n5\r\n");
}

TEST_F(ConfigFileTest, WrittenValueIsComparedInTheNextStep) {
    // A value equal to its key makes each replaced line a key line in turn,
    // down to the last line, which has no value line: the write is refused
    // and the file stays as it was.
    const std::string before = "K\r\nold\r\nother\r\nend\r\n";
    WriteConfig(before);
    EXPECT_THROW(m_power.WriteConfigValue(ConfigKey::ForTesting(L"K"), L"K"), InvalidArgumentError);
    EXPECT_EQ(Config(), before);
    // The line after a replaced value is compared as well.
    WriteConfig("K\r\nold\r\nK\r\nx\r\n");
    m_power.WriteConfigValue(ConfigKey::ForTesting(L"K"), L"new");
    EXPECT_EQ(Config(), "K\r\nnew\r\nK\r\nnew\r\n");
}

TEST_F(ConfigFileTest, KeyOnLastLineRaisesBeforeTheFileIsTouched) {
    const std::string before = "NextSync\n5\nLanguage\r\n[1031]\nLanguage";
    WriteConfig(before);
    EXPECT_THROW(m_power.WriteConfigValue(ConfigKeys::kLanguage, L"[1033]"), InvalidArgumentError);
    EXPECT_EQ(Config(), before);
}

TEST_F(ConfigFileTest, Latin1ValuesRoundTrip) {
    WriteConfig("Folders1\r\n\r\n");
    std::wstring every;
    for (wchar_t c = 1; c <= 0xFF; ++c) {
        if (c != L'\n' && c != 0x1A) {
            every.push_back(c);
        }
    }
    m_power.WriteConfigValue(ConfigKeys::kFolders1, every);
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKeys::kFolders1), every);
    m_power.WriteConfigValue(ConfigKeys::kFolders1, L"C:\\Caf\xE9\\...*");
    EXPECT_EQ(Config(), "Folders1\r\nC:\\Caf\xE9\\...*\r\n");
}

TEST_F(ConfigFileTest, UnstorableValuesAreRefusedBeforeAnythingIsWritten) {
    const std::string before = "Folders1\nold\n";
    WriteConfig(before);
    for (const std::wstring& value :
         {std::wstring(L"C:\\\x65E5\x672C\\...*"), std::wstring(L"C:\\\x20AC"),
          std::wstring(L"two\nlines"), std::wstring(L"cut\x1Ahere")}) {
        try {
            m_power.WriteConfigValue(ConfigKeys::kFolders1, value);
            ADD_FAILURE() << "no error raised";
        } catch (const InvalidArgumentError& e) {
            EXPECT_NE(e.Message().find(L"\"Folders1\""), std::wstring::npos);
        }
        EXPECT_EQ(Config(), before);
    }
}

TEST_F(ConfigFileTest, MissingFileRaisesNotFoundAndIsNotCreated) {
    const std::wstring path = m_power.ConfigFilePath();
    try {
        m_power.ReadConfigValue(ConfigKeys::kOptions);
        FAIL() << "no error raised";
    } catch (const FileError& e) {
        EXPECT_EQ(e.Message(), path + L" was not found.");
    }
    EXPECT_THROW(m_power.WriteConfigValue(ConfigKeys::kOptions, L"01"), FileError);
    EXPECT_FALSE(std::filesystem::exists(m_folder.Fs(L"config.ini")));
}

#ifdef _WIN32
// Wine replaces even a read-only file, and root ignores permissions: let the
// write fail just before the new file takes the old one's place, as a full
// disk would have failed it earlier.
class FailingReplace {
public:
    explicit FailingReplace(const std::filesystem::path&) {
        SetBeforeReplaceForTesting(
            [](const std::wstring&, const std::wstring&) { return FileFault::DiskFull; });
    }
    ~FailingReplace() { SetBeforeReplaceForTesting(nullptr); }
};
#else
// Root ignores permission bits, but not the file size limit: the new
// content stops after a few bytes, as on a full disk.
class FailingReplace {
public:
    explicit FailingReplace(const std::filesystem::path&) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit small = m_old;
        small.rlim_cur = 8;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FailingReplace() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};
#endif

TEST_F(ConfigFileTest, FailedWriteKeepsTheOldFileWhole) {
    const std::string before = "Folders1\r\nC:\\a\\...*\r\nFolders2\r\nD:\\b\\...*\r\n";
    WriteConfig(before);
    const std::size_t entries = m_folder.Count();
    {
        FailingReplace failing(m_folder.Fs(L"config.ini"));
        EXPECT_THROW(m_power.WriteConfigValue(ConfigKeys::kFolders1, L"C:\\a\\...*C:\\c\\...*"),
                     FileError);
    }
    EXPECT_EQ(Config(), before);
    EXPECT_EQ(m_folder.Count(), entries); // no temporary file left behind
    m_power.WriteConfigValue(ConfigKeys::kFolders1, L"C:\\c\\...*");
    EXPECT_EQ(m_power.ReadConfigValue(ConfigKeys::kFolders1), L"C:\\c\\...*");
}

// The program's list of keys is the shipped file's, in its order: a key
// added to one and not the other is found here.
TEST(ConfigKeysTest, AreTheKeyLinesOfTheShippedFile) {
    std::wstring path = VARNHOLT_SHIPPED_CONFIG_FILE;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    const std::vector<std::wstring> lines = ReadLatin1Lines(path);
    std::vector<std::wstring> shipped;
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        shipped.push_back(lines[i]);
    }
    std::vector<std::wstring> listed;
    for (const ConfigKey key : kAllConfigKeys) {
        listed.push_back(key.String());
    }
    EXPECT_EQ(listed, shipped);
}

} // namespace
} // namespace varnholt
