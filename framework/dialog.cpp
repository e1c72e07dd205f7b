#include "framework/dialog.h"

#include <exception>

#include "framework/dialog_template.h"
#include "framework/error_report.h"
#include "framework/win_app.h"

namespace varnholt {

namespace {

// Messages whose result a dialog procedure returns directly instead of
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
           message == WM_COMPAREITEM || message == WM_VKEYTOITEM || message == WM_CHARTOITEM ||
           message == WM_QUERYDRAGICON || message == WM_INITDIALOG;
}

// Notifications a control sends to its dialog; OK and Cancel are commands
// even when a button sends them.
bool IsControlNotification(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        return true;
    }
    if (message == WM_COMMAND && lParam != 0) {
        WORD id = LOWORD(wParam);
        return id != IDOK && id != IDCANCEL;
    }
    return false;
}

} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        // Detach first: no message may reach an object being destroyed.
        HWND window = m_hWnd;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
        ::DestroyWindow(window);
    }
}

HWND CDialog::ResolveOwner() const {
    if (m_pParentWnd != nullptr && m_pParentWnd->m_hWnd != nullptr) {
        return m_pParentWnd->m_hWnd;
    }
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd != this &&
        app->m_pMainWnd->m_hWnd != nullptr && ::IsWindow(app->m_pMainWnd->m_hWnd)) {
        return app->m_pMainWnd->m_hWnd;
    }
    return nullptr;
}

bool CDialog::Create(HWND parent) {
    if (m_hWnd != nullptr) {
        return false;
    }
    m_modal = false;
    m_ended = false;
    m_modalResult = -1;
    HWND window = ::CreateDialogParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_templateId),
                                       parent != nullptr ? parent : ResolveOwner(), &DialogProc,
                                       reinterpret_cast<LPARAM>(this));
    return window != nullptr;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd != nullptr) {
        return -1;
    }
    HWND owner = ResolveOwner();
    bool ownerDisabled = false;
    if (owner != nullptr && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        ownerDisabled = true;
    }
    m_modal = true;
    m_ended = false;
    m_modalResult = -1;
    HWND window = ::CreateDialogParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_templateId),
                                       owner, &DialogProc, reinterpret_cast<LPARAM>(this));
    if (window == nullptr) {
        if (ownerDisabled) {
            ::EnableWindow(owner, TRUE);
        }
        m_modal = false;
        return -1;
    }
    if (m_hWnd != nullptr && !m_ended && !::IsWindowVisible(m_hWnd)) {
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    }

    MSG msg;
    while (m_hWnd != nullptr && !m_ended) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) {
            break;
        }
        if (got == 0) {
            // Leave WM_QUIT for the loop outside this one.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (m_hWnd == nullptr || !::IsDialogMessageW(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }

    // Give the activation back to the owner before the dialog goes away.
    if (ownerDisabled) {
        ::EnableWindow(owner, TRUE);
    }
    if (m_hWnd != nullptr) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (owner != nullptr && ::GetActiveWindow() == m_hWnd) {
            ::SetActiveWindow(owner);
        }
        ::DestroyWindow(m_hWnd);
    }
    m_modal = false;
    return m_ended ? m_modalResult : IDABORT;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    NotificationGuard guard(m_notifications);
    CDataExchange exchange(this, bSaveAndValidate != FALSE);
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
    m_modalResult = result;
    m_ended = true;
    if (m_hWnd == nullptr) {
        return;
    }
    if (m_modal) {
        // Wakes the modal loop when this runs inside a sent message.
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    } else {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

void CDialog::CenterWindow(HWND alternateOwner) {
    if (m_hWnd == nullptr || (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD)) {
        return;
    }
    HWND centerOn = alternateOwner != nullptr ? alternateOwner : ::GetWindow(m_hWnd, GW_OWNER);
    if (centerOn != nullptr && (!::IsWindowVisible(centerOn) || ::IsIconic(centerOn))) {
        centerOn = nullptr;
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(
        ::MonitorFromWindow(centerOn != nullptr ? centerOn : m_hWnd, MONITOR_DEFAULTTONEAREST),
        &monitor);
    const RECT& work = monitor.rcWork;
    RECT area = work;
    if (centerOn != nullptr) {
        ::GetWindowRect(centerOn, &area);
    }
    RECT own{};
    ::GetWindowRect(m_hWnd, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int x = area.left + ((area.right - area.left) - width) / 2;
    int y = area.top + ((area.bottom - area.top) - height) / 2;
    // Keep the window on the work area.
    if (x + width > work.right) {
        x = work.right - width;
    }
    if (y + height > work.bottom) {
        y = work.bottom - height;
    }
    if (x < work.left) {
        x = work.left;
    }
    if (y < work.top) {
        y = work.top;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CDialog* CDialog::FromHandle(HWND window) noexcept {
    if (window == nullptr || !::IsWindow(window) ||
        ::GetWindowLongPtrW(window, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&DialogProc)) {
        return nullptr;
    }
    return reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool CDialog::RouteCommandUpdate(UINT, CCmdUI*) {
    return false;
}

bool CDialog::DispatchMapped(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

LRESULT CDialog::Default() {
    if (!m_current.active || m_hWnd == nullptr) {
        return 0;
    }
    // DefDlgProc first offers the message to the dialog procedure again; the
    // bypass makes the dialog procedure decline it once.
    CurrentMessage saved = m_bypass;
    m_bypass = m_current;
    LRESULT result = ::DefDlgProcW(m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
    m_bypass = saved;
    return result;
}

void CDialog::CenterOnFirstOpen() {
    if (m_hWnd == nullptr || m_ended) {
        return;
    }
    DialogTemplateHeader header;
    if (ReadDialogTemplateHeader(AfxGetInstanceHandle(), m_templateId, header) && header.x == 0 &&
        header.y == 0 && !(header.style & DS_CENTER)) {
        CenterWindow();
    }
}

INT_PTR CDialog::Reply(UINT message, LRESULT result) {
    if (ReturnsResultDirectly(message)) {
        return static_cast<INT_PTR>(result);
    }
    if (m_hWnd != nullptr) {
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    }
    return TRUE;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog();
    }
    if (m_notifications.IsBlocked() && IsControlNotification(message, wParam, lParam)) {
        return FALSE;
    }
    LRESULT result = 0;
    if (DispatchMapped(message, wParam, lParam, result)) {
        return Reply(message, result);
    }
    if (message == WM_COMMAND && (lParam == 0 || HIWORD(wParam) == BN_CLICKED)) {
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOK();
            return Reply(message, 0);
        case IDCANCEL:
            OnCancel();
            return Reply(message, 0);
        default:
            break;
        }
    }
    return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        self->m_hWnd = window;
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (self == nullptr) {
        return FALSE;
    }
    if (self->m_bypass.active && self->m_bypass.message == message &&
        self->m_bypass.wParam == wParam && self->m_bypass.lParam == lParam) {
        self->m_bypass.active = false;
        return FALSE;
    }

    INT_PTR answer = FALSE;
    CurrentMessage outer = self->m_current;
    self->m_current = CurrentMessage{true, message, wParam, lParam};
    try {
        answer = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // A handler whose window went while it waited (the program is
        // ending) shows nothing: the box would stand alone.
        if (::IsWindow(window)) {
            ReportError(window, std::current_exception());
        }
        // After a failed start-up the dialog manager still sets the focus.
        answer = message == WM_INITDIALOG ? TRUE : FALSE;
    }
    self->m_current = outer;

    if (message == WM_INITDIALOG) {
        self->CenterOnFirstOpen();
    } else if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_hWnd = nullptr;
    }
    return answer;
}

} // namespace varnholt
