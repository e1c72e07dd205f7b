// The message map hands each handler its decoded arguments, in table order,
// and the dialog's own defaults take what the map leaves.

#include <gtest/gtest.h>

#include "tests/support/pump.h"
#include "tests/win/framework/probe_dialog.h"

namespace varnholt::test {
namespace {

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitControls();
        ASSERT_TRUE(dialog.Create());
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageW(dialog.m_hWnd, message, wParam, lParam);
    }

    ProbeDialog dialog;
};

TEST_F(MessageMapTest, CommandsReachTheFirstMatchingRowFromMenusAcceleratorsAndButtons) {
    Send(WM_COMMAND, MAKEWPARAM(ID_FILE_OPEN, 0), 0); // menu
    Send(WM_COMMAND, MAKEWPARAM(ID_FILE_OPEN, 1), 0); // accelerator
    HWND run = ::GetDlgItem(dialog.m_hWnd, IDC_RUN);
    Send(WM_COMMAND, MAKEWPARAM(IDC_RUN, BN_CLICKED), reinterpret_cast<LPARAM>(run));
    // Other notifications of the button are not clicks.
    Send(WM_COMMAND, MAKEWPARAM(IDC_RUN, BN_SETFOCUS), reinterpret_cast<LPARAM>(run));
    EXPECT_EQ(dialog.calls, (std::vector<std::wstring>{L"OnOpen", L"OnOpen", L"OnRun"}));
}

TEST_F(MessageMapTest, ControlNotificationsAndNotifyCarryTheirCodes) {
    ::SetDlgItemTextW(dialog.m_hWnd, IDC_EDIT1, L"typed");
    EXPECT_EQ(dialog.editChanges, 1);
    ::SetDlgItemTextW(dialog.m_hWnd, IDC_EDIT2, L"other edit");
    EXPECT_EQ(dialog.editChanges, 1);

    NMHDR header{::GetDlgItem(dialog.m_hWnd, IDC_LIST), IDC_LIST, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(Send(WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&header)), 42);
    EXPECT_EQ(dialog.notifyCode, static_cast<UINT>(NM_CLICK));

    header.code = static_cast<UINT>(NM_DBLCLK);
    dialog.notifyCode = 0;
    EXPECT_EQ(Send(WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&header)), 0);
    EXPECT_EQ(dialog.notifyCode, 0u);
}

TEST_F(MessageMapTest, TypedMessageRowsDecodeTheirArguments) {
    EXPECT_EQ(Send(WM_APP_ADD, 40, 2), 42);

    Send(WM_TIMER, 7);
    EXPECT_EQ(dialog.timers, std::vector<UINT_PTR>{7});

    Send(WM_SYSCOMMAND, 0x0013, 0x00050006);
    EXPECT_EQ(dialog.sysCommand, 0x0013u);
    EXPECT_EQ(dialog.sysParam, 0x00050006);

    HELPINFO help{};
    help.cbSize = sizeof(help);
    EXPECT_EQ(Send(WM_HELP, 0, reinterpret_cast<LPARAM>(&help)), TRUE);
    EXPECT_EQ(dialog.helpInfo, &help);

    dialog.dragIcon = ::LoadCursorW(nullptr, IDC_ARROW);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(Send(WM_QUERYDRAGICON)), dialog.dragIcon);

    const UniqueMenu owned(::CreatePopupMenu());
    HMENU menu = owned.get();
    Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(3, TRUE));
    EXPECT_EQ(dialog.popup, menu);
    EXPECT_EQ(dialog.popupIndex, 3u);
    EXPECT_EQ(dialog.popupSystem, TRUE);
    EXPECT_FALSE(dialog.popupTracked);
}

TEST_F(MessageMapTest, PaintHandlerRunsAndDefaultPaintingValidatesTheWindow) {
    dialog.Invalidate();
    dialog.UpdateWindow();
    EXPECT_GE(dialog.paints, 1);
    // Default() painted, so nothing is left to paint.
    RECT dirty{};
    EXPECT_FALSE(::GetUpdateRect(dialog.m_hWnd, &dirty, FALSE));
}

TEST_F(MessageMapTest, SystemCommandsTheHandlerPassesOnGetDefaultProcessing) {
    Send(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(dialog.IsIconic());
    Send(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_FALSE(dialog.IsIconic());
    EXPECT_EQ(dialog.sysCommand, static_cast<UINT>(SC_RESTORE));
}

TEST_F(MessageMapTest, CommandUpdateRoutesOnlyToIdsWithAHandler) {
    CMenu menu = dialog.GetMenu().GetSubMenu(0);
    CCmdUI ui;
    ui.m_menu = menu;
    ui.m_nIndex = 0;
    ui.m_nID = ID_FILE_OPEN;
    ui.m_nIndexMax = static_cast<UINT>(menu.GetMenuItemCount());
    EXPECT_TRUE(dialog.RouteCommandUpdate(ID_FILE_OPEN, &ui));
    EXPECT_EQ(dialog.updatedId, static_cast<UINT>(ID_FILE_OPEN));
    EXPECT_EQ(menu.GetMenuString(0, MF_BYPOSITION), L"Open (updated)");
    EXPECT_EQ(menu.GetMenuItemID(0), static_cast<UINT>(ID_FILE_OPEN));

    ui.m_nIndex = 3;
    ui.m_nID = ID_FILE_EXIT;
    EXPECT_FALSE(dialog.RouteCommandUpdate(ID_FILE_EXIT, &ui));
    EXPECT_EQ(menu.GetMenuString(3, MF_BYPOSITION), L"E&xit");
}

TEST_F(MessageMapTest, OkAndCancelFallBackToTheDialogDefaults) {
    dialog.m_text = L"before";
    ::SetDlgItemTextW(dialog.m_hWnd, IDC_EDIT1, L"entered");
    HWND ok = ::GetDlgItem(dialog.m_hWnd, IDOK);
    Send(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    EXPECT_EQ(dialog.GetModalResult(), IDOK);
    EXPECT_EQ(dialog.m_text, L"entered"); // OnOK saved the controls first
    EXPECT_FALSE(dialog.IsWindowVisible());

    ProbeDialog second;
    ASSERT_TRUE(second.Create());
    ::SetDlgItemTextW(second.m_hWnd, IDC_EDIT1, L"dropped");
    ::SendMessageW(second.m_hWnd, WM_CLOSE, 0, 0); // the close box posts IDCANCEL
    PumpPending();
    EXPECT_EQ(second.GetModalResult(), IDCANCEL);
    EXPECT_EQ(second.m_text, L"");
}

TEST_F(MessageMapTest, ObjectPointerIsClearedWhenTheWindowIsDestroyed) {
    HWND window = dialog.m_hWnd;
    EXPECT_EQ(CDialog::FromHandle(window), &dialog);
    Send(WM_APP_DESTROY);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(dialog.calls, std::vector<std::wstring>{L"OnDestroyRequest"});
}

TEST_F(MessageMapTest, TrackedShortcutMenuIsRecognisedInItsInitMenuPopup) {
    UniqueMenu menu = LoadMenuResource(IDR_PROBE_MENU);
    ASSERT_TRUE(menu);
    CMenu popup = CMenu(menu.get()).GetSubMenu(1);
    // A timer closes the menu once it is open.
    ::SetTimer(dialog.m_hWnd, 99, 50, [](HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); });
    ::SetForegroundWindow(dialog.m_hWnd);
    popup.TrackPopupMenu(TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, 100, 300, dialog.m_hWnd);
    ::KillTimer(dialog.m_hWnd, 99);
    EXPECT_EQ(dialog.popup, popup.m_hMenu);
    EXPECT_TRUE(dialog.popupTracked);
    EXPECT_FALSE(CMenu::IsTrackingPopup(popup.m_hMenu)); // only while it is open
}

} // namespace
} // namespace varnholt::test
