#include "tests/support/folder_dialog.h"

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <map>

namespace varnholt::test {

namespace {

constexpr int kMaxAttempts = 100;

struct Choice {
    HWND dialog = nullptr;
    std::wstring path;
    int attempts = 0;
};

// The choices under way on this thread, by timer id.
thread_local std::map<UINT_PTR, Choice> t_choices;

// The text of the item selected in the folder dialog's tree.
std::wstring SelectedTreeText(HWND dialog) {
    HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
    HTREEITEM item = tree ? TreeView_GetSelection(tree) : nullptr;
    wchar_t text[MAX_PATH] = {};
    TVITEMW info{};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = MAX_PATH;
    if (item) {
        TreeView_GetItem(tree, &info);
    }
    return text;
}

void CALLBACK Step(HWND, UINT, UINT_PTR id, DWORD) {
    const auto found = t_choices.find(id);
    if (found == t_choices.end()) {
        return;
    }
    Choice& choice = found->second;
    SendMessageW(choice.dialog, BFFM_SETSELECTIONW, TRUE,
                 reinterpret_cast<LPARAM>(choice.path.c_str()));
    const std::wstring leaf = choice.path.substr(choice.path.rfind(L'\\') + 1);
    if (SelectedTreeText(choice.dialog) == leaf || ++choice.attempts > kMaxAttempts) {
        const HWND dialog = choice.dialog;
        KillTimer(nullptr, id);
        t_choices.erase(found);
        MessageBoxAnswerer::PressButton(dialog, IDOK);
    }
}

} // namespace

MessageBoxAnswerer::Action ChooseFolder(std::wstring path) {
    return [path = std::move(path)](const ShownDialog& dialog) {
        const UINT_PTR id = SetTimer(nullptr, 0, 50, &Step);
        t_choices[id] = Choice{dialog.window, path, 0};
    };
}

} // namespace varnholt::test
