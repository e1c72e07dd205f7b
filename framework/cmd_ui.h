#pragma once
// CCmdUI: the record a command-update handler receives for one item of a popup
// menu that is about to open. It acts on the item at m_nIndex of m_menu.

#include <windows.h>

#include <string>

#include "framework/menu.h"

namespace varnholt {

class CCmdUI {
public:
    UINT m_nID = 0;       // the command id routed
    UINT m_nIndex = 0;    // position of the item in m_menu
    UINT m_nIndexMax = 0; // item count of m_menu when routing began
    CMenu m_menu;         // the popup being opened
    CMenu m_parentMenu;   // its parent (menu bar, or the popup itself), may be empty

    // Replaces the item's text, keeping its id, drop-down and states.
    void SetText(const std::wstring& text);
    void Enable(bool on = true);
    // 0 unchecked, 1 checked (2, indeterminate, shows as checked in a menu).
    void SetCheck(int check);
};

} // namespace varnholt
