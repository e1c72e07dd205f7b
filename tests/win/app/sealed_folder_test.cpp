// The main window in a program folder that refuses new files, as a folder
// that only an administrator may change does: the settings cannot be
// replaced through a temporary file there, so they are written in place
// when config.ini itself is writable, and refused without a change when it
// is not. The folders are sealed on the host (tests/win/sync/fixtures.sh).

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/program_path.h"
#include "resource.h"
#include "settings/power_class.h"
#include "tests/support/fixture_path.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/program_folder.h"
#include "tests/support/pump.h"
#include "tests/win/app/main_window.h"

namespace varnholt::test {
namespace {

class SealedFolderTest : public ::testing::Test {
protected:
    // Points the program at the sealed folder `name`; skips when the host
    // could not seal it.
    void Use(const std::wstring& name) {
        m_folder = HostFixturePath(name);
        if (m_folder.empty() || FileExists(m_folder + L".unsupported")) {
            GTEST_SKIP() << "the host could not make a folder that refuses new files";
        }
        SetModuleFileNameForTesting(m_folder + L"\\Varnholt.exe");
    }
    void TearDown() override { SetModuleFileNameForTesting(L""); }

    std::wstring Config() const { return m_folder + L"\\config.ini"; }

    static void TypeMinutes(MainWindow& window, const std::wstring& text) {
        HWND edit = GetDlgItem(window.Handle(), IDC_MINUTES);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        for (wchar_t c : text) {
            SendMessageW(edit, WM_CHAR, c, 0);
        }
        PumpPending();
    }

    std::wstring m_folder;
};

TEST_F(SealedFolderTest, SettingsAreWrittenInPlaceWhenOnlyTheFileIsWritable) {
    Use(L"sealed");
    if (IsSkipped()) {
        return;
    }
    // A new file cannot be made here: the fixture really refuses them.
    EXPECT_EQ(CreateFileW((m_folder + L"\\probe.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                          CREATE_NEW, 0, nullptr),
              INVALID_HANDLE_VALUE);

    MessageBoxAnswerer answerer;
    {
        MainWindow window;
        TypeMinutes(window, L"7");
        EXPECT_EQ(window.ControlText(IDC_STATUS), L"Automatic synchronization every 7 minute(s).");
        TypeMinutes(window, L"5");
    }
    EXPECT_EQ(answerer.Count(), 0u);
    EXPECT_EQ(PowerClass().ReadConfigValue(ConfigKeys::kSyncInterval), L"5");
    EXPECT_EQ(PowerClass().ReadConfigValue(ConfigKeys::kNextSync), L"5");
    // Shorter than before: the file ends with the new content, nothing of the
    // old one after it.
    const std::string bytes = ReadFileBytes(Config());
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(bytes.find(std::string(1, '\0')), std::string::npos);
}

TEST_F(SealedFolderTest, ReadOnlySettingsInASealedFolderAreRefusedAndKeptWhole) {
    Use(L"sealed-locked");
    if (IsSkipped()) {
        return;
    }
    const std::string before = ReadFileBytes(Config());
    MessageBoxAnswerer answerer;
    {
        MainWindow window;
        TypeMinutes(window, L"7");
    }
    ASSERT_GE(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, L"Access to " + Config() + L" was denied.");
    EXPECT_TRUE(answerer.Shown()[0].HasStopIcon());
    EXPECT_EQ(ReadFileBytes(Config()), before);
}

} // namespace
} // namespace varnholt::test
