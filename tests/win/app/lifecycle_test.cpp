// The main window's life: the system's language, re-running the start-up
// sequence, the About box, the ways the window ends, and painting minimised.

#include <gtest/gtest.h>

#include "platform/handles.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/program_folder.h"
#include "tests/support/pump.h"
#include "tests/win/app/main_window.h"

namespace varnholt::test {
namespace {

// Sets the system's default language (as Windows keeps it for the whole
// machine) for one test, and puts the old value back.
class SystemLanguage {
public:
    explicit SystemLanguage(const wchar_t* hexId) {
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, m_key.put(), nullptr);
        wchar_t old[16] = {};
        DWORD size = sizeof(old);
        if (RegQueryValueExW(m_key.get(), L"Default", nullptr, nullptr,
                             reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS) {
            m_old = old;
        }
        Set(hexId);
    }
    ~SystemLanguage() { Set(m_old.c_str()); }

private:
    static constexpr const wchar_t* kKey = L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Language";
    void Set(const wchar_t* value) {
        RegSetValueExW(m_key.get(), L"Default", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    }
    UniqueKey m_key;
    std::wstring m_old = L"0409";
};

TEST(SystemLanguageTest, FollowsTheSystemsLanguageAndItsDialects) {
    ProgramFolder folder;
    struct Case {
        const wchar_t* language;
        const wchar_t* systemId;
        const wchar_t* fileMenu;
    };
    for (const Case& c : {Case{L"[----]", L"0407", L"&Datei"},
                          Case{L"[----]", L"0807", L"&Datei"}, // Swiss German, a listed dialect
                          Case{L"[----]", L"0809", L"&File"},  // English (UK): no section, fallback
                          Case{L"", L"0407", L"&Datei"},       // empty value follows the system too
                          Case{L"[1033]", L"0407", L"&File"}}) {
        SystemLanguage system(c.systemId);
        folder.WriteConfig({{L"Language", c.language}});
        MainWindow window;
        EXPECT_EQ(window.MenuText(0), c.fileMenu) << c.language << " " << c.systemId;
    }
}

int CountAboutItems(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    int count = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        count += GetMenuItemID(menu, i) == IDM_ABOUTBOX ? 1 : 0;
    }
    return count;
}

TEST(LifecycleTest, RerunningTheStartUpSequenceRebuildsWithoutDuplicates) {
    ProgramFolder folder;
    const std::wstring a = folder.MakeFolder(L"a"), b = folder.MakeFolder(L"b");
    folder.WriteConfig({{L"Folders1", a + L"\\...*" + b + L"\\...*"},
                        {L"Folders2", b + L"\\...*" + a + L"\\...*"},
                        {L"NextSync", L"4"}});
    MainWindow window;
    EXPECT_EQ(CountAboutItems(window.Handle()), 1);

    // Settings changed by hand meanwhile are read again.
    folder.WriteConfig({{L"Folders1", a + L"\\...*" + b + L"\\...*"},
                        {L"Folders2", b + L"\\...*" + a + L"\\...*"},
                        {L"Language", L"[1031]"},
                        {L"SyncInterval", L"61"}});
    window.Dlg().OnInitDialog();
    PumpPending();

    EXPECT_EQ(CountAboutItems(window.Handle()), 1);
    EXPECT_EQ(window.ColumnCount(), 2);
    EXPECT_EQ(window.RowCount(), 2);
    EXPECT_EQ(window.Dlg().State().folders1.GetSize(), 2u);
    EXPECT_EQ(window.Dlg().State().folders2.GetSize(), 2u);
    EXPECT_EQ(window.ColumnHeading(0), L"Erster Ordner");
    EXPECT_EQ(window.ControlText(IDC_HOURS), L"1");
    EXPECT_EQ(window.ControlText(IDC_MINUTES), L"1");
    EXPECT_EQ(window.ControlText(IDC_STATUS), L"Keine automatische Synchronisation geplant.");
    EXPECT_TRUE(window.Dlg().State().firstTick);
}

TEST(LifecycleTest, SystemMenuAboutEntryOpensTheAboutBox) {
    ProgramFolder folder;
    MainWindow window;
    HMENU menu = GetSystemMenu(window.Handle(), FALSE);
    const int last = GetMenuItemCount(menu) - 1;
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(last), text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Info \u00fcber Varnholt...");

    // The About box is one of our own dialogs: close it from a timer once it
    // is up, as a person would with its OK button.
    static std::wstring seenCaption;
    static HWND seenOwner;
    seenCaption.clear();
    seenOwner = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND about = FindWindowW(L"#32770", L"About ...");
        if (about && IsWindowVisible(about)) {
            seenCaption = L"About ...";
            seenOwner = GetWindow(about, GW_OWNER);
            PostMessageW(about, WM_COMMAND, IDOK, 0);
        }
    });
    SendMessageW(window.Handle(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    KillTimer(nullptr, timer);

    EXPECT_EQ(seenCaption, L"About ...");
    EXPECT_EQ(seenOwner, window.Handle());
    EXPECT_TRUE(IsWindowEnabled(window.Handle()));
}

TEST(LifecycleTest, MinimisedWindowOffersItsIconForDragging) {
    ProgramFolder folder;
    MainWindow window;
    ShowWindow(window.Handle(), SW_MINIMIZE);
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();
    EXPECT_TRUE(IsIconic(window.Handle()));
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window.Handle(), WM_QUERYDRAGICON, 0, 0)),
              window.Dlg().State().icon);
    EXPECT_NE(window.Dlg().State().icon, nullptr);
}

TEST(LifecycleTest, EndsOnExitEnterEscapeAndTheCloseBox) {
    ProgramFolder folder;
    EXPECT_EQ(RunMainWindowModally([](HWND w) { PostMessageW(w, WM_COMMAND, ID_EXIT, 0); }), IDOK);
    EXPECT_EQ(RunMainWindowModally([](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }),
              IDCANCEL);
    EXPECT_EQ(RunMainWindowModally([](HWND w) {
                  HWND days = GetDlgItem(w, IDC_DAYS);
                  SetFocus(days);
                  PostMessageW(days, WM_KEYDOWN, VK_RETURN, 0);
              }),
              IDOK);
    EXPECT_EQ(RunMainWindowModally([](HWND w) {
                  HWND days = GetDlgItem(w, IDC_DAYS);
                  SetFocus(days);
                  PostMessageW(days, WM_KEYDOWN, VK_ESCAPE, 0);
              }),
              IDCANCEL);
    // Ending writes no settings.
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"0");
}

TEST(LifecycleTest, ExitReadsTheControlsBackBeforeEnding) {
    ProgramFolder folder;
    MainWindow window;
    SetDlgItemTextW(window.Handle(), IDC_MINUTES, L"42");
    window.Command(ID_EXIT);
    EXPECT_EQ(window.Dlg().State().minutes, L"42");
    EXPECT_EQ(window.Dlg().GetModalResult(), IDOK);
}

} // namespace
} // namespace varnholt::test
