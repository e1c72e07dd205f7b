// Check box 1008 on the real main window: the autostart entry under the
// current user's Run key and the second character of "Options", changed
// together or not at all.

#include <gtest/gtest.h>

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <optional>

#include "platform/handles.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/program_folder.h"
#include "tests/support/pump.h"
#include "tests/win/app/main_window.h"

namespace varnholt::test {
namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

std::optional<std::wstring> RunValue() {
    wchar_t data[1024] = {};
    DWORD size = sizeof(data) - sizeof(wchar_t);
    DWORD type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Varnholt", RRF_RT_ANY, &type, data, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    return std::wstring(data);
}

void SetRunValue(const std::wstring& data) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Varnholt", REG_SZ, data.c_str(),
                    static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

// The test prefix's Run key has no "Varnholt" value before or after a test.
class AutostartTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Varnholt"); }
    void TearDown() override { RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Varnholt"); }

    // A person's click on the check box: it ticks or clears itself, then
    // tells the window.
    static void ClickBox(MainWindow& window) {
        SendMessageW(GetDlgItem(window.Handle(), IDC_AUTOSTART), BM_CLICK, 0, 0);
        PumpPending();
    }
};

TEST_F(AutostartTest, TickingWritesTheQuotedLauncherPathAndClearingRemovesIt) {
    ProgramFolder folder(L" with blanks");
    folder.WriteConfig({{L"Options", L"x0yz"}});
    MainWindow window;
    EXPECT_FALSE(window.IsChecked(IDC_AUTOSTART));

    ClickBox(window);
    EXPECT_TRUE(window.IsChecked(IDC_AUTOSTART));
    EXPECT_EQ(RunValue(), L"\"" + folder.Path() + L"\\Tovrinel.exe\"");
    EXPECT_EQ(folder.ReadConfig(L"Options"), L"x1yz"); // only the second character
    EXPECT_EQ(window.Dlg().State().autostart, 1);

    ClickBox(window);
    EXPECT_FALSE(window.IsChecked(IDC_AUTOSTART));
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_EQ(folder.ReadConfig(L"Options"), L"x0yz");
    EXPECT_EQ(window.Dlg().State().autostart, 0);
}

TEST_F(AutostartTest, ClearingWhenTheEntryIsAlreadyGoneJustStoresTheChoice) {
    ProgramFolder folder;
    folder.WriteConfig({{L"Options", L"01"}});
    MainWindow window;
    EXPECT_TRUE(window.IsChecked(IDC_AUTOSTART));
    MessageBoxAnswerer answerer;
    ClickBox(window);
    EXPECT_EQ(answerer.Count(), 0u);
    EXPECT_EQ(folder.ReadConfig(L"Options"), L"00");
    EXPECT_FALSE(window.IsChecked(IDC_AUTOSTART));
}

TEST_F(AutostartTest, OptionsOfOneCharacterIsRefusedBeforeTheRegistryIsTouched) {
    ProgramFolder folder;
    folder.WriteConfig({{L"Options", L"0"}}); // reads as ticked
    SetRunValue(L"\"C:\\elsewhere\\Tovrinel.exe\"");
    MainWindow window;
    MessageBoxAnswerer answerer;
    ClickBox(window);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, L"An invalid argument was encountered.");
    EXPECT_EQ(RunValue(), L"\"C:\\elsewhere\\Tovrinel.exe\"");
    EXPECT_EQ(folder.ReadConfig(L"Options"), L"0");
    EXPECT_TRUE(window.IsChecked(IDC_AUTOSTART));
    EXPECT_EQ(window.Dlg().State().autostart, 1);
}

// Makes the Run key refuse changes while it lives, as a key whose security
// does not let this user write would.
class RunKeyRefusesChanges {
public:
    RunKeyRefusesChanges() {
        RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, READ_CONTROL | WRITE_DAC, m_key.put());
        DWORD size = 0;
        RegGetKeySecurity(m_key.get(), DACL_SECURITY_INFORMATION, nullptr, &size);
        m_old.resize(size);
        RegGetKeySecurity(m_key.get(), DACL_SECURITY_INFORMATION, m_old.data(), &size);
        Apply(L"D:(D;;0x0006;;;WD)(A;;KA;;;WD)"); // deny set value and create key
    }
    ~RunKeyRefusesChanges() {
        RegSetKeySecurity(m_key.get(), DACL_SECURITY_INFORMATION, m_old.data());
    }

private:
    void Apply(const wchar_t* sddl) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                             nullptr);
        const UniqueLocalMemory owned(descriptor);
        RegSetKeySecurity(m_key.get(), DACL_SECURITY_INFORMATION, descriptor);
    }
    UniqueKey m_key;
    std::vector<BYTE> m_old;
};

TEST_F(AutostartTest, RegistryThatRefusesIsReportedAndEverythingKeepsTheOldState) {
    ProgramFolder folder;
    folder.WriteConfig({{L"Options", L"00"}});
    MainWindow window;
    MessageBoxAnswerer answerer;
    {
        RunKeyRefusesChanges refusing;
        ClickBox(window);
    }
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text,
              L"Access to the registry value HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\"
              L"CurrentVersion\\Run\\Varnholt was denied.");
    EXPECT_TRUE(answerer.Shown()[0].HasStopIcon());
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_EQ(folder.ReadConfig(L"Options"), L"00");
    EXPECT_FALSE(window.IsChecked(IDC_AUTOSTART));
    EXPECT_EQ(window.Dlg().State().autostart, 0);

    // Clearing an entry the registry will not let go of.
    SetRunValue(L"\"C:\\kept\\Tovrinel.exe\"");
    folder.WriteConfig({{L"Options", L"01"}});
    window.Dlg().OnInitDialog();
    {
        RunKeyRefusesChanges refusing;
        ClickBox(window);
    }
    EXPECT_EQ(answerer.Count(), 2u);
    EXPECT_EQ(RunValue(), L"\"C:\\kept\\Tovrinel.exe\"");
    EXPECT_EQ(folder.ReadConfig(L"Options"), L"01");
    EXPECT_TRUE(window.IsChecked(IDC_AUTOSTART));
}

TEST_F(AutostartTest, OptionsThatCannotBeStoredTakeTheRegistryChangeBack) {
    ProgramFolder folder;
    folder.WriteConfig({{L"Options", L"00"}});
    MainWindow window;
    MessageBoxAnswerer answerer;
    // Another program holds config.ini open.
    auto holdConfig = [&folder] {
        return UniqueFile(CreateFileW(folder.ConfigPath().c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    UniqueFile held = holdConfig();
    ClickBox(window);
    held.close();
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text,
              L"A sharing violation occurred while accessing " + folder.ConfigPath() + L".");
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_FALSE(window.IsChecked(IDC_AUTOSTART));
    EXPECT_EQ(window.Dlg().State().autostart, 0);

    // The other way: the entry comes back as it was.
    ClickBox(window);
    ASSERT_EQ(folder.ReadConfig(L"Options"), L"01");
    SetRunValue(L"\"D:\\as it was\\Tovrinel.exe\"");
    held = holdConfig();
    ClickBox(window);
    held.close();
    EXPECT_EQ(answerer.Count(), 2u);
    EXPECT_EQ(RunValue(), L"\"D:\\as it was\\Tovrinel.exe\"");
    EXPECT_EQ(folder.ReadConfig(L"Options"), L"01");
    EXPECT_TRUE(window.IsChecked(IDC_AUTOSTART));
}

TEST_F(AutostartTest, ErrorMessagesFollowTheLanguageWithEnglishWhereTheFileLacksThem) {
    const struct {
        bool withoutErrorTexts;
        const wchar_t* before;
        const wchar_t* after;
    } cases[] = {
        {false, L"Beim Zugriff auf ", L" ist eine Freigabeverletzung aufgetreten."},
        {true, L"A sharing violation occurred while accessing ", L"."},
    };
    for (const auto& c : cases) {
        ProgramFolder folder;
        folder.WriteConfig({{L"Options", L"00"}, {L"Language", L"[1031]"}});
        if (c.withoutErrorTexts) {
            folder.RemoveLanguageEntries(300, 399);
        }
        MainWindow window;
        MessageBoxAnswerer answerer;
        UniqueFile held(CreateFileW(folder.ConfigPath().c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ClickBox(window);
        held.close();
        ASSERT_EQ(answerer.Count(), 1u);
        EXPECT_EQ(answerer.Shown()[0].text, c.before + folder.ConfigPath() + c.after);
    }
}

} // namespace
} // namespace varnholt::test
