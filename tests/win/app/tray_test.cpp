// The window in the notification area: going there, coming back by a click
// or from the icon's popup menu, ending from the popup, and the icon coming
// back when the notification area restarts. And the box the window waits in
// coming forward when the program is started again (the rest of that start
// in tests/win/launcher).

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <vector>

#include "framework/single_instance.h"
#include "tests/support/program_folder.h"
#include "tests/support/pump.h"
#include "tests/support/window_watcher.h"
#include "tests/win/app/main_window.h"

namespace varnholt::test {
namespace {

// Asks the notification area whether it holds the window's icon (a change
// that changes nothing succeeds only for an icon that is there).
bool TrayIconPresent(HWND window) {
    NOTIFYICONDATAW probe{};
    probe.cbSize = sizeof(probe);
    probe.hWnd = window;
    probe.uID = 1;
    return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

LRESULT ClickIcon(MainWindow& window, LPARAM mouseMessage, WPARAM iconId = 1) {
    const LRESULT result = SendMessageW(window.Handle(), WM_USER + 1, iconId, mouseMessage);
    PumpPending();
    return result;
}

struct PopupItem {
    UINT id;
    std::wstring text;
    bool operator==(const PopupItem&) const = default;
};

// What the tray popup showed, and where.
struct SeenPopup {
    std::vector<PopupItem> items;
    RECT rect{};
    bool menuAlive = false; // its menu still there when the choice is made
};

// Opens the tray popup with a right click on the icon at `cursor`, reads it,
// lets `meanwhile` act while it is open, and chooses the item at `choose`
// with the keyboard (or closes it with Escape when `choose` is -1).
SeenPopup RightClickAndChoose(MainWindow& window, POINT cursor, int choose,
                              const std::function<void()>& meanwhile = {}) {
    SeenPopup seen;
    SetCursorPos(cursor.x, cursor.y);
    WindowWatcher watcher(L"#32768", L"", [&](HWND menuWindow) {
        HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[128] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
            seen.items.push_back({GetMenuItemID(menu, i), text});
        }
        GetWindowRect(menuWindow, &seen.rect);
        if (meanwhile) {
            meanwhile();
        }
        seen.menuAlive = IsMenu(menu) != FALSE;
        if (choose < 0) {
            PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
            return;
        }
        for (int i = 0; i <= choose; ++i) {
            PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        }
        PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
    });
    ClickIcon(window, WM_RBUTTONDOWN);
    PumpFor(100);
    EXPECT_TRUE(watcher.Seen()) << "the tray popup did not open";
    return seen;
}

TEST(TrayTest, MinimisingHidesTheWindowAndALeftClickOnTheIconBringsItBack) {
    ProgramFolder folder;
    MainWindow window;
    window.Command(ID_MINIMIZE_TO_TRAY);
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    EXPECT_TRUE(IsIconic(window.Handle()));
    EXPECT_TRUE(TrayIconPresent(window.Handle()));
    EXPECT_TRUE(window.Dlg().IsInTray());

    EXPECT_EQ(ClickIcon(window, WM_LBUTTONDOWN), 0);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_FALSE(IsIconic(window.Handle()));
    EXPECT_FALSE(TrayIconPresent(window.Handle()));
    EXPECT_FALSE(window.Dlg().IsInTray());
    // The window keeps its taskbar button style for when it is shown.
    EXPECT_TRUE(GetWindowLongW(window.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST(TrayTest, MinimisingWhileTheIconIsThereChangesNothing) {
    ProgramFolder folder;
    MainWindow window;
    window.Command(ID_MINIMIZE_TO_TRAY);
    window.Command(ID_MINIMIZE_TO_TRAY); // from the tray: the icon stays single
    EXPECT_FALSE(IsWindowVisible(window.Handle()));

    // The window shown again by other means while the icon stays: the
    // icon cannot be added twice, so the window stays where it is.
    ShowWindow(window.Handle(), SW_RESTORE);
    window.Command(ID_MINIMIZE_TO_TRAY);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_FALSE(IsIconic(window.Handle()));
    EXPECT_TRUE(TrayIconPresent(window.Handle()));

    ClickIcon(window, WM_LBUTTONDOWN);
    EXPECT_FALSE(TrayIconPresent(window.Handle()));
}

TEST(TrayTest, OtherIconIdsAndOtherMouseMessagesAreIgnored) {
    ProgramFolder folder;
    MainWindow window;
    window.Command(ID_MINIMIZE_TO_TRAY);
    EXPECT_EQ(ClickIcon(window, WM_LBUTTONDOWN, 2), 0);
    for (LPARAM message : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP,
                           WM_RBUTTONDBLCLK, WM_MBUTTONDOWN}) {
        EXPECT_EQ(ClickIcon(window, message), 0);
    }
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    EXPECT_TRUE(TrayIconPresent(window.Handle()));
}

TEST(TrayTest, RightClickOpensThePopupAtTheCursorAndItsFirstItemBringsTheWindowBack) {
    ProgramFolder folder;
    MainWindow window;
    window.Command(ID_MINIMIZE_TO_TRAY);
    const SeenPopup popup = RightClickAndChoose(window, POINT{300, 400}, 0);

    EXPECT_EQ(popup.items,
              (std::vector<PopupItem>{{ID_TRAY_RESTORE, L"Go to Oskenby Varnholt &main screen"},
                                      {ID_TRAY_EXIT, L"E&xit program (no more synchronization)"}}));
    // Shown with its bottom left corner at the cursor.
    EXPECT_EQ(popup.rect.left, 300);
    EXPECT_EQ(popup.rect.bottom, 400);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_FALSE(TrayIconPresent(window.Handle()));
}

TEST(TrayTest, PopupShowsTheTextsOfTheLanguageChosenSinceTheStart) {
    ProgramFolder folder;
    MainWindow window;
    folder.WriteConfig({{L"Language", L"[1031]"}});
    window.Dlg().OnInitDialog(); // as after a language change
    window.Command(ID_MINIMIZE_TO_TRAY);
    const SeenPopup popup = RightClickAndChoose(window, POINT{200, 300}, -1);

    ASSERT_EQ(popup.items.size(), 2u);
    EXPECT_EQ(popup.items[0].text, L"Oskenby Varnholt-&Hauptfenster anzeigen");
    EXPECT_EQ(popup.items[1].text, L"Programm &beenden (keine Synchronisation mehr)");
    // Closed without a choice: still in the tray.
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    EXPECT_TRUE(TrayIconPresent(window.Handle()));
}

TEST(TrayTest, MinimiseArrivingWhileThePopupIsOpenKeepsItsMenuUsable) {
    ProgramFolder folder;
    MainWindow window;
    window.Command(ID_MINIMIZE_TO_TRAY);
    // As the first timer tick of an automatic start would.
    const SeenPopup popup = RightClickAndChoose(window, POINT{250, 350}, 0, [&window] {
        SendMessageW(window.Handle(), WM_COMMAND, ID_MINIMIZE_TO_TRAY, 0);
    });
    EXPECT_TRUE(popup.menuAlive);
    EXPECT_TRUE(IsWindowVisible(window.Handle())); // the first item still brought it back
    EXPECT_FALSE(TrayIconPresent(window.Handle()));
}

TEST(TrayTest, ExitFromThePopupEndsTheProgramAndWritesNothing) {
    ProgramFolder folder;
    folder.WriteConfig({{L"SyncInterval", L"90"}, {L"NextSync", L"7"}});
    const std::string before = ReadFileBytes(folder.ConfigPath());
    HWND seen = nullptr;
    const INT_PTR result = RunMainWindowModally([&seen](HWND main) {
        seen = main;
        SendMessageW(main, WM_COMMAND, ID_MINIMIZE_TO_TRAY, 0);
        PostMessageW(main, WM_COMMAND, ID_TRAY_EXIT, 0);
    });
    EXPECT_EQ(result, IDABORT); // destroyed, neither OK nor Cancel
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_FALSE(TrayIconPresent(seen));
    EXPECT_EQ(ReadFileBytes(folder.ConfigPath()), before);
}

// However the window goes while it waits in the tray (here the system's own
// destruction, not the tray's exit), no icon of it stays behind.
TEST(TrayTest, WindowDestroyedInTheTrayTakesItsIconAlong) {
    ProgramFolder folder;
    MainWindow window;
    HWND main = window.Handle();
    window.Command(ID_MINIMIZE_TO_TRAY);
    ASSERT_TRUE(TrayIconPresent(main));
    DestroyWindow(main);
    // Wine drops the icons of a destroyed window itself; Windows keeps them
    // until the mouse passes, so the owner's own record is read as well.
    EXPECT_FALSE(window.Dlg().IsInTray());
    EXPECT_FALSE(TrayIconPresent(main));
}

TEST(TrayTest, LaterStartBringsTheBoxTheWindowWaitsInToTheFront) {
    ProgramFolder folder;
    MainWindow window;
    bool aboutInFront = false;
    WindowWatcher watcher(L"#32770", L"About ...", [&](HWND about) {
        SetForegroundWindow(window.Handle()); // the window behind the box in front
        EXPECT_EQ(SendMessageW(window.Handle(), ShowInstanceMessage(), 0, 0), kInstanceShown);
        aboutInFront = GetForegroundWindow() == about;
        PostMessageW(about, WM_COMMAND, IDOK, 0);
    });
    window.Command(ID_ABOUT);
    EXPECT_TRUE(watcher.Seen());
    EXPECT_TRUE(aboutInFront);
}

TEST(TrayTest, IconComesBackWhenTheNotificationAreaRestarts) {
    ProgramFolder folder;
    MainWindow window;
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");

    // Shown: a restart of the notification area adds nothing.
    SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    PumpPending();
    EXPECT_FALSE(TrayIconPresent(window.Handle()));

    // In the tray: the restarted area has lost the icon; the broadcast makes
    // the program add it again.
    window.Command(ID_MINIMIZE_TO_TRAY);
    NOTIFYICONDATAW lost{};
    lost.cbSize = sizeof(lost);
    lost.hWnd = window.Handle();
    lost.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &lost));
    SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    PumpPending();
    EXPECT_TRUE(TrayIconPresent(window.Handle()));

    // And it still brings the window back.
    ClickIcon(window, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_FALSE(TrayIconPresent(window.Handle()));
}

} // namespace
} // namespace varnholt::test
