#include "app/tray_icon.h"

#include <iterator>

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

void TrayIcon::Notify(const std::wstring& title, const std::wstring& text) noexcept {
    if (!m_added) {
        return;
    }
    NOTIFYICONDATAW notice = m_data;
    notice.uFlags = NIF_INFO;
    notice.dwInfoFlags = NIIF_WARNING;
    // The shell takes 255 and 63 characters; the rest is cut.
    text.copy(notice.szInfo, std::size(notice.szInfo) - 1);
    title.copy(notice.szInfoTitle, std::size(notice.szInfoTitle) - 1);
    if (::Shell_NotifyIconW(NIM_MODIFY, &notice)) {
        try {
            m_lastNotice = text;
        } catch (...) {
            m_lastNotice.clear(); // only a record for whoever reads it back
        }
        ++m_notices;
    }
}

void TrayIcon::Remove() noexcept {
    if (m_added) {
        ::Shell_NotifyIconW(NIM_DELETE, &m_data);
        m_added = false;
    }
}

} // namespace varnholt
