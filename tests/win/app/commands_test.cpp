// The menu commands that open something: the help file (menu and F1), the
// website, the About box, the run log; and the command-update routing of the window's own
// popups. The shell call is observed instead of made, so no viewer or
// browser starts.

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "app/shell_open.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/program_folder.h"
#include "tests/support/pump.h"
#include "tests/support/window_watcher.h"
#include "tests/win/app/main_window.h"

namespace varnholt::test {
namespace {

struct ShellCall {
    HWND owner;
    std::wstring target;
};

// Takes the place of the shell call while it lives.
class ShellOpenRecorder {
public:
    ShellOpenRecorder() : m_previous(SetShellOpenForTesting(&Record)) { Calls().clear(); }
    ~ShellOpenRecorder() { SetShellOpenForTesting(m_previous); }
    static std::vector<ShellCall>& Calls() {
        static std::vector<ShellCall> calls;
        return calls;
    }

private:
    static void Record(HWND owner, const std::wstring& target) {
        Calls().push_back({owner, target});
    }
    ShellOpenFunction m_previous;
};

TEST(CommandsTest, HelpCommandOpensTheHelpFileInTheProgramFolder) {
    ProgramFolder folder;
    ShellOpenRecorder shell;
    MainWindow window;
    window.Command(ID_SHOW_HELP);
    ASSERT_EQ(shell.Calls().size(), 1u);
    EXPECT_EQ(shell.Calls()[0].target, folder.Path() + L"\\help.chm");
    EXPECT_EQ(shell.Calls()[0].owner, window.Handle());

    // A help request from anywhere in the window opens the same file.
    HELPINFO info{};
    info.cbSize = sizeof(info);
    SendMessageW(window.Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_EQ(shell.Calls().size(), 2u);
    EXPECT_EQ(shell.Calls()[1].target, folder.Path() + L"\\help.chm");
}

// Presses and releases a key as the keyboard would.
void PressKey(WORD key) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

TEST(CommandsTest, F1InAFieldOfTheRunningWindowOpensTheHelpFile) {
    ProgramFolder folder;
    ShellOpenRecorder shell;
    static HWND main;
    RunMainWindowModally([](HWND window) {
        main = window;
        SetForegroundWindow(main);
        SetFocus(GetDlgItem(main, IDC_DAYS));
        PressKey(VK_F1);
        // Ends the window once the key has been handled: typed input comes
        // after posted messages.
        SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            PostMessageW(main, WM_COMMAND, ID_EXIT, 0);
        });
    });
    ASSERT_EQ(shell.Calls().size(), 1u);
    EXPECT_EQ(shell.Calls()[0].target, folder.Path() + L"\\help.chm");
}

TEST(CommandsTest, WebsiteCommandOpensTheHomepageOnlyWhenItIsAWebAddress) {
    ProgramFolder folder;
    ShellOpenRecorder shell;
    MainWindow window;
    struct Case {
        const wchar_t* homepage;
        bool opened;
    };
    for (const Case& c :
         {Case{L"https://www.oskenby.example/varnholt/", true}, Case{L"http://example.org", true},
          Case{L"HTTPS://EXAMPLE.ORG/", true}, Case{L"hTtP://x", true}, Case{L"", false},
          Case{L"C:\\Windows\\notepad.exe", false}, Case{L"notepad.exe", false},
          Case{L"file:///C:/Windows/win.ini", false}, Case{L"ftp://example.org/", false},
          Case{L"https://", false}, Case{L"http:/example.org", false},
          Case{L" https://example.org", false}, Case{L"mailto:someone@example.org", false}}) {
        shell.Calls().clear();
        folder.WriteConfig({{L"Homepage", c.homepage}});
        window.Command(ID_WEBSITE);
        if (c.opened) {
            ASSERT_EQ(shell.Calls().size(), 1u) << c.homepage;
            EXPECT_EQ(shell.Calls()[0].target, c.homepage);
            EXPECT_EQ(shell.Calls()[0].owner, window.Handle());
        } else {
            EXPECT_TRUE(shell.Calls().empty()) << c.homepage;
        }
    }
}

// Help > Show Run Log before any run wrote the log says so; a run that
// copies writes it, idle scheduled runs leave it as it is, and the command
// then hands it to the shell.
TEST(CommandsTest, ShowRunLogOpensTheLogOnceARunWroteIt) {
    ProgramFolder folder;
    const std::wstring a = folder.MakeFolder(L"a");
    const std::wstring b = folder.MakeFolder(L"b");
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) {
        WriteFileBytes(a + L"\\" + name, "x");
        SetLocalModificationTime(a + L"\\" + name, 2020, 1, 1, 0, 0);
    }
    folder.WriteConfig({{L"Folders1", a + L"\\...*"},
                        {L"Folders2", b + L"\\...*"},
                        {L"SyncInterval", L"1"},
                        {L"NextSync", L"5"}});
    const std::wstring log = folder.File(L"Varnholt.log");
    MainWindow window;
    ShellOpenRecorder shell;
    {
        MessageBoxAnswerer answerer;
        window.Command(ID_SHOW_RUN_LOG);
        ASSERT_EQ(answerer.Count(), 1u);
        EXPECT_EQ(answerer.Shown()[0].text, L"There is no run log yet: it is written once a run "
                                            L"has copied a file or could not copy one.");
    }
    EXPECT_TRUE(ShellOpenRecorder::Calls().empty());
    EXPECT_FALSE(FileExists(log));

    {
        MessageBoxAnswerer answerer; // the closing message of the hand run
        window.Command(ID_SYNC_NOW);
    }
    const std::string written = ReadFileBytes(log);
    EXPECT_EQ(written.rfind("\xEF\xBB\xBF", 0), 0u);
    std::size_t lines = 0;
    for (std::size_t at = written.find("copied first to second"); at != std::string::npos;
         at = written.find("copied first to second", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, 4u); // three files, and the run's own line
    EXPECT_NE(written.find("run by hand: 3 copied first to second, 0 second to first, "
                           "0 not copied"),
              std::string::npos);

    folder.WriteConfig({{L"Folders1", a + L"\\...*"},
                        {L"Folders2", b + L"\\...*"},
                        {L"SyncInterval", L"1"},
                        {L"NextSync", L"1"}});
    for (int tick = 0; tick < 100; ++tick) { // a run at every tick, copying nothing
        SendMessageW(window.Handle(), WM_TIMER, 1, 0);
    }
    EXPECT_EQ(ReadFileBytes(log), written);

    window.Command(ID_SHOW_RUN_LOG);
    ASSERT_EQ(ShellOpenRecorder::Calls().size(), 1u);
    EXPECT_EQ(ShellOpenRecorder::Calls()[0].target, log);
}

TEST(CommandsTest, AboutCommandOpensTheAboutBoxOverTheWindow) {
    ProgramFolder folder;
    MainWindow window;
    HWND owner = nullptr;
    WindowWatcher watcher(L"#32770", L"About ...", [&owner](HWND about) {
        owner = GetWindow(about, GW_OWNER);
        PostClick(about, IDOK);
    });
    window.Command(ID_ABOUT);
    EXPECT_TRUE(watcher.Seen());
    EXPECT_EQ(owner, window.Handle());
    EXPECT_TRUE(IsWindowEnabled(window.Handle()));
}

TEST(CommandsTest, OpeningTheWindowsOwnMenusChangesNoItem) {
    ProgramFolder folder;
    folder.WriteConfig({{L"Language", L"[1031]"}});
    MainWindow window;
    HMENU file = GetSubMenu(GetMenu(window.Handle()), 0);
    HMENU system = GetSystemMenu(window.Handle(), FALSE);
    const int systemItems = GetMenuItemCount(system);
    SendMessageW(window.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    SendMessageW(window.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system),
                 MAKELPARAM(0, TRUE));
    EXPECT_EQ(window.MenuText(0, 0), L"In den Infobereich &minimieren");
    EXPECT_EQ(GetMenuItemCount(file), 6);
    EXPECT_EQ(GetMenuItemCount(system), systemItems);
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
        if (GetMenuItemID(file, i) != 0) { // separators are never enabled
            EXPECT_FALSE(GetMenuState(file, static_cast<UINT>(i), MF_BYPOSITION) &
                         (MF_GRAYED | MF_DISABLED | MF_CHECKED));
        }
    }
}

} // namespace
} // namespace varnholt::test
