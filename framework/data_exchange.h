#pragma once
// Data exchange between a dialog's members and its controls. Each DDX_
// function moves one value: into the control when m_bSaveAndValidate is
// false, out of it when true. A control id the dialog does not have raises
// InvalidArgumentError.

#include <string>

#include "framework/wnd.h"

namespace varnholt {

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate) noexcept
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    bool m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Binds the view to the child window `id` (both directions).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// The control's text.
void DDX_Text(CDataExchange* pDX, int id, std::wstring& value);
// A check box's state: 0, 1 or 2 (indeterminate); other values are refused
// with InvalidArgumentError when loading.
void DDX_Check(CDataExchange* pDX, int id, int& value);
// A combo box's text. Loading selects the first item that begins with the
// value, ignoring case; when none does, the selection is cleared and the value
// goes into the edit field. Saving reads the edit field (for a drop-down list
// without one: the selected item's text, empty when none is selected).
void DDX_CBString(CDataExchange* pDX, int id, std::wstring& value);

} // namespace varnholt
