#pragma once
// CMenu: a cheap, copyable view over an HMENU (a window's menu bar, a
// drop-down, the system menu, a loaded menu). It never destroys the menu: a
// menu the program loads itself is owned by a UniqueMenu (LoadMenuResource).

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace varnholt {

// Loads a menu resource of the application; empty when there is none.
UniqueMenu LoadMenuResource(UINT id);

class CMenu {
public:
    CMenu() noexcept = default;
    explicit CMenu(HMENU menu) noexcept : m_hMenu(menu) {}

    HMENU GetSafeHmenu() const noexcept { return m_hMenu; }

    CMenu GetSubMenu(int pos) const;
    int GetMenuItemCount() const;
    // The command id at `pos`: 0 for a separator, (UINT)-1 for an item that
    // opens a submenu (and for a position that does not exist).
    UINT GetMenuItemID(int pos) const;
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const std::wstring& text = {});
    // Replace the text of an item, keeping its command id, its drop-down and
    // its enabled, grey and check states. False when there is no such item.
    BOOL SetItemTextByPosition(int pos, const std::wstring& text);
    BOOL SetItemTextByCommand(UINT id, const std::wstring& text);
    // `flags` is MF_BYPOSITION or MF_BYCOMMAND; empty for no such item.
    std::wstring GetMenuString(UINT idOrPos, UINT flags) const;
    UINT GetMenuState(UINT idOrPos, UINT flags) const;
    UINT EnableMenuItem(UINT idOrPos, UINT flags);
    UINT CheckMenuItem(UINT idOrPos, UINT flags);

    // Shows the menu as a shortcut menu. While it is open, IsTrackingPopup
    // answers true for it, so WM_INITMENUPOPUP handlers can tell it apart.
    BOOL TrackPopupMenu(UINT flags, int x, int y, HWND owner) const;

    // True while `popup` is the shortcut menu shown by TrackPopupMenu on this
    // thread.
    static bool IsTrackingPopup(HMENU popup) noexcept;

    HMENU m_hMenu = nullptr;
};

} // namespace varnholt
