#pragma once
// The window's icon in the notification area, owned: added once, removed
// once, and removed at the latest when its owner goes, so no icon of a window
// that no longer exists stays behind (the shell keeps such an icon until the
// mouse passes over it).

#include <windows.h>

#include <shellapi.h>

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

private:
    NOTIFYICONDATAW m_data{};
    bool m_added = false;
};

} // namespace varnholt
