#pragma once
// CMenu: a view over an HMENU. A menu it loaded itself (LoadMenu) or was
// given with Attach is owned and destroyed with it; menus it merely looks at
// (a window's menu bar, a drop-down, the system menu) are never destroyed.

#include <windows.h>

#include <string>

namespace varnholt {

class CMenu {
public:
    CMenu() noexcept = default;
    explicit CMenu(HMENU menu) noexcept : m_hMenu(menu) {}
    ~CMenu();
    // A copy is always a non-owning view of the same menu.
    CMenu(const CMenu& other) noexcept : m_hMenu(other.m_hMenu) {}
    CMenu& operator=(const CMenu& other) noexcept;
    CMenu(CMenu&& other) noexcept;
    CMenu& operator=(CMenu&& other) noexcept;

    HMENU GetSafeHmenu() const noexcept { return m_hMenu; }
    bool IsOwner() const noexcept { return m_owned; }

    // Loads a menu resource of the application and owns it; a menu owned
    // before is destroyed first.
    BOOL LoadMenu(UINT id);
    // Takes ownership of `menu` (destroying an owned one first).
    void Attach(HMENU menu) noexcept;
    // Gives up the menu without destroying it.
    HMENU Detach() noexcept;
    // Destroys the menu held (owned or not) and empties the object.
    BOOL DestroyMenu() noexcept;

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

private:
    bool m_owned = false;
};

} // namespace varnholt
