#pragma once
// CWnd: a cheap, copyable, non-owning view over an HWND with one helper per
// window call the program makes. Copies look at the same window; nothing is
// destroyed when a view goes away.

#include <windows.h>

#include <string>

#include "framework/menu.h"

namespace varnholt {

class CWnd {
public:
    CWnd() noexcept = default;
    explicit CWnd(HWND window) noexcept : m_hWnd(window) {}
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = default;
    CWnd& operator=(const CWnd&) = default;

    HWND GetSafeHwnd() const noexcept { return m_hWnd; }
    bool IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }

    void SetWindowText(const std::wstring& text);
    std::wstring GetWindowText() const;
    BOOL ShowWindow(int command);
    bool IsIconic() const;
    bool IsWindowVisible() const;
    bool IsWindowEnabled() const;
    BOOL EnableWindow(bool enable = true);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    CWnd GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    CWnd GetParent() const;
    CWnd GetOwner() const;
    void SetDlgItemText(int id, const std::wstring& text);
    std::wstring GetDlgItemText(int id) const;

    CMenu GetMenu() const;
    CMenu GetSystemMenu(bool revert) const;
    BOOL DrawMenuBar();

    void GetClientRect(RECT* rect) const;
    void GetWindowRect(RECT* rect) const;
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    HICON SetIcon(HICON icon, bool big);

    BOOL SetTimer(UINT_PTR id, UINT milliseconds);
    BOOL KillTimer(UINT_PTR id);

    BOOL DestroyWindow();
    void UpdateWindow();
    void Invalidate(bool erase = true);
    CWnd SetFocus();

    // True while `popup` is the shortcut menu being shown by
    // CMenu::TrackPopupMenu on this thread.
    static bool IsTrackingPopup(HMENU popup) noexcept { return CMenu::IsTrackingPopup(popup); }

    HWND m_hWnd = nullptr;
};

} // namespace varnholt
