#include "tests/win/app/main_window.h"

#include <commctrl.h>

#include "tests/support/pump.h"
#include "tests/support/window_watcher.h"

namespace varnholt::test {

MainWindow::MainWindow() : m_dlg(std::make_unique<CVarnholtDlg>()) {
    m_dlg->Create();
    PumpPending();
}

MainWindow::~MainWindow() {
    if (m_dlg->m_hWnd) {
        m_dlg->DestroyWindow();
    }
    PumpPending();
}

std::wstring MainWindow::ControlText(int id) const {
    HWND control = GetDlgItem(Handle(), id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool MainWindow::IsChecked(int id) const {
    return IsDlgButtonChecked(Handle(), id) == BST_CHECKED;
}

void MainWindow::Click(int id) {
    SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(Handle(), id)));
    PumpPending();
}

void MainWindow::Command(int id) {
    SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpPending();
}

int MainWindow::ColumnCount() const {
    HWND header = ListView_GetHeader(GetDlgItem(Handle(), IDC_PAIR_LIST));
    return Header_GetItemCount(header);
}

std::wstring MainWindow::ColumnHeading(int column) const {
    wchar_t buffer[256] = {};
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = buffer;
    info.cchTextMax = 256;
    SendMessageW(GetDlgItem(Handle(), IDC_PAIR_LIST), LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&info));
    return buffer;
}

int MainWindow::RowCount() const {
    return ListView_GetItemCount(GetDlgItem(Handle(), IDC_PAIR_LIST));
}

std::wstring MainWindow::CellText(int row, int column) const {
    wchar_t buffer[1024] = {};
    ListView_GetItemText(GetDlgItem(Handle(), IDC_PAIR_LIST), row, column, buffer, 1024);
    return buffer;
}

std::wstring MainWindow::MenuText(int position, int item) const {
    HMENU menu = GetMenu(Handle());
    int at = position;
    if (item >= 0) {
        menu = GetSubMenu(menu, position);
        at = item;
    }
    wchar_t buffer[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(at), buffer, 256, MF_BYPOSITION);
    return buffer;
}

INT_PTR RunMainWindowModally(const std::function<void(HWND)>& act) {
    WindowWatcher watcher(L"#32770", L"Oskenby Varnholt", act);
    CVarnholtDlg dlg;
    return dlg.DoModal();
}

} // namespace varnholt::test
