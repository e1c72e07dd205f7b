#include "framework/menu_update.h"

#include <algorithm>

#include "framework/cmd_ui.h"
#include "framework/dialog.h"

namespace varnholt {

namespace {

constexpr UINT kSubmenuItem = static_cast<UINT>(-1);

bool IsDropDownOf(CMenu bar, HMENU popup) {
    const int count = bar.GetMenuItemCount();
    for (int position = 0; position < count; ++position) {
        if (bar.GetSubMenu(position).m_hMenu == popup) {
            return true;
        }
    }
    return false;
}

} // namespace

CMenu FindPopupParent(HWND window, CMenu popup) {
    if (CMenu::IsTrackingPopup(popup.m_hMenu)) {
        return popup;
    }
    CMenu bar(::GetMenu(window));
    if (bar.m_hMenu != nullptr && IsDropDownOf(bar, popup.m_hMenu)) {
        return bar;
    }
    return CMenu();
}

void RouteMenuPopupUpdates(CDialog& window, CMenu popup) {
    if (popup.m_hMenu == nullptr) {
        return;
    }
    CCmdUI ui;
    ui.m_menu = popup;
    ui.m_parentMenu = FindPopupParent(window.m_hWnd, popup);

    int bound = std::max(popup.GetMenuItemCount(), 0);
    for (int position = 0; position < bound; ++position) {
        UINT id = popup.GetMenuItemID(position);
        if (id == 0) {
            continue;
        }
        if (id == kSubmenuItem) {
            CMenu submenu = popup.GetSubMenu(position);
            id = submenu.m_hMenu != nullptr ? submenu.GetMenuItemID(0) : kSubmenuItem;
            if (id == 0 || id == kSubmenuItem) {
                continue;
            }
        }
        ui.m_nID = id;
        ui.m_nIndex = static_cast<UINT>(position);
        ui.m_nIndexMax = static_cast<UINT>(bound);
        window.RouteCommandUpdate(id, &ui);

        // A handler may have removed items: step back by their number (never
        // before the first item), then past the items that carry the routed
        // id; the loop then goes on with the item after them.
        const int count = std::max(popup.GetMenuItemCount(), 0);
        if (count < bound) {
            position = std::max(position - (bound - count), -1);
            while (position >= 0 && position < count && popup.GetMenuItemID(position) == id) {
                ++position;
            }
        }
        bound = count;
    }
}

} // namespace varnholt
