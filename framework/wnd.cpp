#include "framework/wnd.h"

#include <vector>

namespace varnholt {

void CWnd::SetWindowText(const std::wstring& text) {
    ::SetWindowTextW(m_hWnd, text.c_str());
}

std::wstring CWnd::GetWindowText() const {
    if (m_hWnd == nullptr) {
        return {};
    }
    int length = ::GetWindowTextLengthW(m_hWnd);
    if (length <= 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    int copied = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

BOOL CWnd::ShowWindow(int command) {
    return ::ShowWindow(m_hWnd, command);
}

bool CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd) != FALSE;
}

bool CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd) != FALSE;
}

bool CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd) != FALSE;
}

BOOL CWnd::EnableWindow(bool enable) {
    return ::EnableWindow(m_hWnd, enable ? TRUE : FALSE);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

CWnd CWnd::GetDlgItem(int id) const {
    return CWnd(::GetDlgItem(m_hWnd, id));
}

int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}

CWnd CWnd::GetParent() const {
    return CWnd(::GetParent(m_hWnd));
}

CWnd CWnd::GetOwner() const {
    return CWnd(::GetWindow(m_hWnd, GW_OWNER));
}

void CWnd::SetDlgItemText(int id, const std::wstring& text) {
    ::SetDlgItemTextW(m_hWnd, id, text.c_str());
}

std::wstring CWnd::GetDlgItemText(int id) const {
    return GetDlgItem(id).GetWindowText();
}

CMenu CWnd::GetMenu() const {
    return CMenu(::GetMenu(m_hWnd));
}

CMenu CWnd::GetSystemMenu(bool revert) const {
    return CMenu(::GetSystemMenu(m_hWnd, revert ? TRUE : FALSE));
}

BOOL CWnd::DrawMenuBar() {
    return ::DrawMenuBar(m_hWnd);
}

void CWnd::GetClientRect(RECT* rect) const {
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::GetWindowRect(RECT* rect) const {
    ::GetWindowRect(m_hWnd, rect);
}

BOOL CWnd::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
}

HICON CWnd::SetIcon(HICON icon, bool big) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

BOOL CWnd::SetTimer(UINT_PTR id, UINT milliseconds) {
    return ::SetTimer(m_hWnd, id, milliseconds, nullptr) != 0;
}

BOOL CWnd::KillTimer(UINT_PTR id) {
    return ::KillTimer(m_hWnd, id);
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}

void CWnd::Invalidate(bool erase) {
    ::InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE);
}

CWnd CWnd::SetFocus() {
    return CWnd(::SetFocus(m_hWnd));
}

} // namespace varnholt
