#include "framework/menu.h"

#include <utility>
#include <vector>

#include "framework/win_app.h"

namespace varnholt {

namespace {

thread_local HMENU t_trackedPopup = nullptr;

BOOL SetItemText(HMENU menu, UINT item, BOOL byPosition, const std::wstring& text) {
    if (menu == nullptr) {
        return FALSE;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    return ::SetMenuItemInfoW(menu, item, byPosition, &info);
}

} // namespace

UniqueMenu LoadMenuResource(UINT id) {
    return UniqueMenu(::LoadMenuW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(id)));
}

CMenu CMenu::GetSubMenu(int pos) const {
    return CMenu(m_hMenu != nullptr ? ::GetSubMenu(m_hMenu, pos) : nullptr);
}

int CMenu::GetMenuItemCount() const {
    return m_hMenu != nullptr ? ::GetMenuItemCount(m_hMenu) : -1;
}

UINT CMenu::GetMenuItemID(int pos) const {
    return m_hMenu != nullptr ? ::GetMenuItemID(m_hMenu, pos) : static_cast<UINT>(-1);
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const std::wstring& text) {
    const wchar_t* item =
        (flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) ? nullptr : text.c_str();
    return ::AppendMenuW(m_hMenu, flags, id, item);
}

BOOL CMenu::SetItemTextByPosition(int pos, const std::wstring& text) {
    return pos >= 0 && SetItemText(m_hMenu, static_cast<UINT>(pos), TRUE, text);
}

BOOL CMenu::SetItemTextByCommand(UINT id, const std::wstring& text) {
    return SetItemText(m_hMenu, id, FALSE, text);
}

std::wstring CMenu::GetMenuString(UINT idOrPos, UINT flags) const {
    if (m_hMenu == nullptr) {
        return {};
    }
    int length = ::GetMenuStringW(m_hMenu, idOrPos, nullptr, 0, flags);
    if (length <= 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    length = ::GetMenuStringW(m_hMenu, idOrPos, buffer.data(), length + 1, flags);
    return std::wstring(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

UINT CMenu::GetMenuState(UINT idOrPos, UINT flags) const {
    return ::GetMenuState(m_hMenu, idOrPos, flags);
}

UINT CMenu::EnableMenuItem(UINT idOrPos, UINT flags) {
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, idOrPos, flags));
}

UINT CMenu::CheckMenuItem(UINT idOrPos, UINT flags) {
    return ::CheckMenuItem(m_hMenu, idOrPos, flags);
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, HWND owner) const {
    HMENU previous = std::exchange(t_trackedPopup, m_hMenu);
    BOOL result = ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner, nullptr);
    t_trackedPopup = previous;
    return result;
}

bool CMenu::IsTrackingPopup(HMENU popup) noexcept {
    return popup != nullptr && popup == t_trackedPopup;
}

} // namespace varnholt
