#include "framework/cmd_ui.h"

namespace varnholt {

void CCmdUI::SetText(const std::wstring& text) {
    m_menu.SetItemTextByPosition(static_cast<int>(m_nIndex), text);
}

void CCmdUI::Enable(bool on) {
    m_menu.EnableMenuItem(m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
}

void CCmdUI::SetCheck(int check) {
    m_menu.CheckMenuItem(m_nIndex, MF_BYPOSITION | (check != 0 ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace varnholt
