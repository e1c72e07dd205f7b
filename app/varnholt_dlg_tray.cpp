// The notification-area icon: the window hides there and comes back, and the
// icon's popup menu offers the way back and the way out. A later start from
// the same program folder brings the window back too.

#include "app/varnholt_dlg.h"
#include "framework/owned_box.h"
#include "framework/single_instance.h"

namespace varnholt {

namespace {

constexpr UINT kTrayIconId = 1;

} // namespace

UINT TaskbarCreatedMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void CVarnholtDlg::OnMinimizeToTray() {
    // The open popup keeps its menu: a minimise that comes while it is open
    // (the first timer tick) finds the icon in place and changes nothing.
    if (!CMenu::IsTrackingPopup(CMenu(m_trayMenu.get()).GetSubMenu(0).m_hMenu)) {
        m_trayMenu = LoadMenuResource(IDR_MENU_TRAY);
    }

    if (!m_trayIcon.Add(m_hWnd, kTrayIconId, kTrayCallbackMessage, m_hIcon)) {
        return;
    }
    ShowWindow(SW_MINIMIZE);
    ShowWindow(SW_HIDE);
}

LRESULT CVarnholtDlg::OnTrayNotify(WPARAM iconId, LPARAM mouseMessage) {
    if (iconId != kTrayIconId) {
        return 0;
    }
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
        OnTrayRestore();
        break;
    case WM_RBUTTONDOWN:
    case WM_CONTEXTMENU:
        ShowTrayPopup();
        break;
    case NIN_BALLOONUSERCLICK:
        // The notice of failed copies: the window comes back with the list.
        OnTrayRestore();
        if (!m_noticedFailures.empty()) {
            ShowCopyFailures(m_noticedFailures);
        }
        break;
    default:
        break;
    }
    return 0;
}

void CVarnholtDlg::ShowTrayPopup() {
    CMenu popup = CMenu(m_trayMenu.get()).GetSubMenu(0);
    if (popup.m_hMenu == nullptr) {
        return;
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // Without the foreground the popup would not close when the user clicks
    // elsewhere; the posted message lets it end cleanly afterwards.
    ::SetForegroundWindow(m_hWnd);
    popup.TrackPopupMenu(TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, cursor.x, cursor.y, m_hWnd);
    PostMessage(WM_NULL);
}

void CVarnholtDlg::OnTrayRestore() {
    ShowWindow(SW_SHOW);
    ShowWindow(SW_RESTORE);
    m_trayIcon.Remove();
    // Seen now: what fails again later is news again.
    m_announcedFailures.Forget();
    m_listedFailures.Forget();
}

LRESULT CVarnholtDlg::OnShowInstance(WPARAM, LPARAM) {
    if (m_trayIcon.IsAdded()) {
        OnTrayRestore();
    } else if (IsIconic()) {
        ShowWindow(SW_RESTORE);
    }
    m_shownOnRequest = true;
    // A box the window waits in comes forward in its place; nothing opens
    // over it.
    HWND box = OpenBoxOver(m_hWnd);
    ::SetForegroundWindow(box != nullptr ? box : m_hWnd);
    return kInstanceShown;
}

void CVarnholtDlg::OnTrayExit() {
    // Chosen while a run works (the popup opens between its files): the run
    // ends first, and the program right after it.
    if (m_runUnderWay) {
        m_exitAfterRun = true;
        return;
    }
    DestroyWindow();
}

LRESULT CVarnholtDlg::OnTaskbarCreated(WPARAM, LPARAM) {
    m_trayIcon.AddAgain();
    return 0;
}

LRESULT CVarnholtDlg::OnDestroyWindow(WPARAM, LPARAM) {
    // However the window goes (the tray's exit, the system, a test), its
    // icon goes with it.
    m_trayIcon.Remove();
    return 0;
}

} // namespace varnholt
