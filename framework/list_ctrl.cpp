#include "framework/list_ctrl.h"

#include <vector>

namespace varnholt {

int CListCtrl::InsertColumn(int col, const std::wstring& heading, int format, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = format;
    column.pszText = const_cast<wchar_t*>(heading.c_str());
    column.iSubItem = col;
    if (width != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = width;
    }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(col),
                                        reinterpret_cast<LPARAM>(&column)));
}

BOOL CListCtrl::DeleteColumn(int col) {
    return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(col)));
}

BOOL CListCtrl::SetColumnWidth(int col, int cx) {
    return static_cast<BOOL>(
        SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(col), MAKELPARAM(cx, 0)));
}

int CListCtrl::GetColumnWidth(int col) const {
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(col)));
}

int CListCtrl::GetColumnCount() const {
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    return header != nullptr ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::wstring CListCtrl::GetColumnText(int col) const {
    for (std::size_t size = 256;; size *= 2) {
        std::vector<wchar_t> buffer(size);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = buffer.data();
        column.cchTextMax = static_cast<int>(size);
        if (!SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(col),
                         reinterpret_cast<LPARAM>(&column))) {
            return {};
        }
        std::wstring text(column.pszText);
        if (text.size() + 1 < size) {
            return text;
        }
    }
}

int CListCtrl::InsertItem(int index, const std::wstring& text) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const std::wstring& text) {
    LVITEMW row{};
    row.iSubItem = subItem;
    row.pszText = const_cast<wchar_t*>(text.c_str());
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&row)));
}

std::wstring CListCtrl::GetItemText(int item, int subItem) const {
    // LVM_GETITEMTEXT returns the number of characters copied; a result one
    // short of the buffer means the text may have been cut, so try larger.
    for (std::size_t size = 256;; size *= 2) {
        std::vector<wchar_t> buffer(size);
        LVITEMW row{};
        row.iSubItem = subItem;
        row.pszText = buffer.data();
        row.cchTextMax = static_cast<int>(size);
        auto copied = static_cast<std::size_t>(SendMessage(
            LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&row)));
        if (copied + 1 < size) {
            return std::wstring(buffer.data(), copied);
        }
    }
}

BOOL CListCtrl::DeleteItem(int item) {
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item)));
}

BOOL CListCtrl::DeleteAllItems() {
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}

int CListCtrl::GetItemCount() const {
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

int CListCtrl::GetSelectionMark() const {
    return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK));
}

int CListCtrl::SetSelectionMark(int index) {
    return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, index));
}

BOOL CListCtrl::EnsureVisible(int item, BOOL partialOK) {
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOK));
}

DWORD CListCtrl::SetExtendedStyle(DWORD style) {
    return static_cast<DWORD>(
        SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
}

DWORD CListCtrl::GetExtendedStyle() const {
    return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

} // namespace varnholt
