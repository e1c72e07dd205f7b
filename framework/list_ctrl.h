#pragma once
// CListCtrl: a view over a list-view control in report mode.

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/wnd.h"

namespace varnholt {

class CListCtrl : public CWnd {
public:
    using CWnd::CWnd;

    // width -1 leaves the control's default width. Returns the new column's
    // index, or -1.
    int InsertColumn(int col, const std::wstring& heading, int format = LVCFMT_LEFT,
                     int width = -1);
    BOOL DeleteColumn(int col);
    BOOL SetColumnWidth(int col, int cx);
    int GetColumnWidth(int col) const;
    int GetColumnCount() const;
    std::wstring GetColumnText(int col) const;

    // Returns the new row's index, or -1.
    int InsertItem(int index, const std::wstring& text);
    BOOL SetItemText(int item, int subItem, const std::wstring& text);
    std::wstring GetItemText(int item, int subItem) const;
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const;

    int GetSelectionMark() const;
    int SetSelectionMark(int index);
    BOOL EnsureVisible(int item, BOOL partialOK);
    // Replaces the whole extended style; returns the previous one.
    DWORD SetExtendedStyle(DWORD style);
    DWORD GetExtendedStyle() const;
};

} // namespace varnholt
