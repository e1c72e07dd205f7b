#pragma once
// The window's icon in the notification area, owned: added once, removed
// once, and removed at the latest when its owner goes, so no icon of a window
// that no longer exists stays behind (the shell keeps such an icon until the
// mouse passes over it).

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace varnholt {

class TrayIcon {
public:
    TrayIcon() = default;
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon `icon` for `window`, which gets `callbackMessage` with
    // the icon's `id` and the mouse message. False when it was not added now:
    // the shell refused it, or it is there already (and stays as it is).
    bool Add(HWND window, UINT id, UINT callbackMessage, HICON icon) noexcept;
    // Adds the icon again after the notification area (re)started, when it
    // was there before.
    void AddAgain() noexcept;
    // Removes the icon; nothing when there is none.
    void Remove() noexcept;
    bool IsAdded() const noexcept { return m_added; }

    // Shows a notification with a warning sign at the icon: `title` above
    // `text` (both cut to what the shell takes). Nothing when the icon is
    // not there. The owner's window gets NIN_BALLOONUSERCLICK through the
    // callback message when the user clicks it.
    void Notify(const std::wstring& title, const std::wstring& text) noexcept;
    // The text of the last notification, and how many were shown.
    const std::wstring& LastNotice() const noexcept { return m_lastNotice; }
    int NoticeCount() const noexcept { return m_notices; }

private:
    NOTIFYICONDATAW m_data{};
    bool m_added = false;
    std::wstring m_lastNotice;
    int m_notices = 0;
};

} // namespace varnholt
