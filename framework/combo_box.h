#pragma once
// CComboBox: a view over a combo box. Item positions that do not exist raise
// InvalidArgumentError where the control would otherwise hand back garbage.

#include <windows.h>

#include <string>

#include "framework/wnd.h"

namespace varnholt {

class CComboBox : public CWnd {
public:
    using CWnd::CWnd;

    // Returns the item's position (the control sorts when it has CBS_SORT).
    int AddString(const std::wstring& text);
    int GetCount() const;
    int GetCurSel() const;
    // -1 clears the selection. Returns the selected index or CB_ERR.
    int SetCurSel(int index);
    std::wstring GetLBText(int index) const;
    // The first item after `startAfter` (-1: from the top) whose text begins
    // with `prefix`, ignoring case; CB_ERR when none does.
    int FindString(int startAfter, const std::wstring& prefix) const;
    void ResetContent();
};

} // namespace varnholt
