#include "app/tray_icon.h"

namespace varnholt {

bool TrayIcon::Add(HWND window, UINT id, UINT callbackMessage, HICON icon) noexcept {
    if (m_added) {
        return false;
    }
    m_data = NOTIFYICONDATAW{};
    // The record up to and including guidItem, without the balloon icon.
    m_data.cbSize = NOTIFYICONDATAW_V3_SIZE;
    m_data.hWnd = window;
    m_data.uID = id;
    m_data.uFlags = NIF_MESSAGE | NIF_ICON;
    m_data.uCallbackMessage = callbackMessage;
    m_data.hIcon = icon;
    m_added = ::Shell_NotifyIconW(NIM_ADD, &m_data) != FALSE;
    return m_added;
}

void TrayIcon::AddAgain() noexcept {
    if (m_added) {
        ::Shell_NotifyIconW(NIM_ADD, &m_data);
    }
}

void TrayIcon::Remove() noexcept {
    if (m_added) {
        ::Shell_NotifyIconW(NIM_DELETE, &m_data);
        m_added = false;
    }
}

} // namespace varnholt
