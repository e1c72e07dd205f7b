#pragma once
// Views over the standard controls. Like CWnd they own nothing; DDX_Control
// binds one to a dialog's child window.

#include "framework/combo_box.h"
#include "framework/list_ctrl.h"
#include "framework/wnd.h"

namespace varnholt {

class CButton : public CWnd {
public:
    using CWnd::CWnd;
    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
};

class CEdit : public CWnd {
public:
    using CWnd::CWnd;
};

class CStatic : public CWnd {
public:
    using CWnd::CWnd;
};

} // namespace varnholt
