#include "framework/data_exchange.h"

#include "base/errors.h"
#include "framework/combo_box.h"

namespace varnholt {

namespace {

HWND Control(CDataExchange* pDX, int id) {
    HWND control = pDX->m_pDlgWnd != nullptr ? ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id) : nullptr;
    if (control == nullptr) {
        throw InvalidArgumentError();
    }
    return control;
}

} // namespace

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    control.m_hWnd = Control(pDX, id);
}

void DDX_Text(CDataExchange* pDX, int id, std::wstring& value) {
    CWnd control(Control(pDX, id));
    if (pDX->m_bSaveAndValidate) {
        value = control.GetWindowText();
    } else if (control.GetWindowText() != value) {
        // Only a changed text is set: setting a control's text repaints it
        // (and resets an edit's caret), which a run that pushes its fields
        // after every folder would otherwise pay thousands of times.
        control.SetWindowText(value);
    }
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    CWnd control(Control(pDX, id));
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(control.SendMessage(BM_GETCHECK));
    } else {
        if (value < BST_UNCHECKED || value > BST_INDETERMINATE) {
            throw InvalidArgumentError();
        }
        control.SendMessage(BM_SETCHECK, static_cast<WPARAM>(value));
    }
}

void DDX_CBString(CDataExchange* pDX, int id, std::wstring& value) {
    CComboBox combo(Control(pDX, id));
    bool listOnly = (::GetWindowLongW(combo.m_hWnd, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST;
    if (pDX->m_bSaveAndValidate) {
        if (listOnly) {
            int selected = combo.GetCurSel();
            value = selected == CB_ERR ? std::wstring() : combo.GetLBText(selected);
        } else {
            value = combo.GetWindowText();
        }
        return;
    }
    int match = combo.FindString(-1, value);
    combo.SetCurSel(match);
    if (match == CB_ERR && !listOnly) {
        combo.SetWindowText(value);
    }
}

} // namespace varnholt
