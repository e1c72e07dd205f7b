#pragma once
// The real main window, created modelessly for a test, and what a person
// would read off it.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/varnholt_dlg.h"

namespace varnholt::test {

class MainWindow {
public:
    // Creates the window (the start-up sequence runs) and dispatches what is
    // pending.
    MainWindow();
    ~MainWindow();

    CVarnholtDlg& Dlg() noexcept { return *m_dlg; }
    HWND Handle() const noexcept { return m_dlg->m_hWnd; }

    std::wstring ControlText(int id) const;
    bool IsChecked(int id) const;
    // Clicks a button as a person would: the button's BN_CLICKED reaches the
    // window.
    void Click(int id);
    // Chooses a menu command.
    void Command(int id);

    int ColumnCount() const;
    std::wstring ColumnHeading(int column) const;
    int RowCount() const;
    std::wstring CellText(int row, int column) const;
    // Text of the menu-bar item at `position`, or of item `item` in drop-down `position`.
    std::wstring MenuText(int position, int item = -1) const;

private:
    std::unique_ptr<CVarnholtDlg> m_dlg;
};

// Runs a main window modally, as the program does, and does `act` to it once
// it is up. Returns DoModal's result.
INT_PTR RunMainWindowModally(const std::function<void(HWND)>& act);

} // namespace varnholt::test
