// Runs Varnholt's installer with its pages, as a person would:
//   install_answerer.exe <setup.exe> <folder>
// types the folder on the directory page and chooses "Install"; agrees when
// the installer offers a folder of Varnholt's own inside it; when it refuses
// the folder instead, gives up (Cancel, then Yes to quitting); at the end
// clears "Run Varnholt" and chooses "Finish". Prints each message box it
// answered ("asked: ..." or "refused: ...") and "finished" or "cancelled",
// one line each; exits 0 when the installer ended that way, 1 with what it saw
// when not within 60 seconds.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/win/installer/answering.h"

namespace varnholt::test {
namespace {

constexpr int kFolderEdit = 1019; // the directory page's folder field

struct Progress {
    std::wstring folder;
    bool typed = false;   // the folder is in the field and Install chosen
    bool refused = false; // the installer refused the folder
    bool cancelled = false;
    bool finished = false;
    HWND answered = nullptr; // the message box answered last
    std::wstring seen;
};

// The first button among the window's children whose label starts with
// `start`, or nullptr.
HWND ButtonLabelled(HWND window, const std::wstring& start) {
    struct Search {
        const std::wstring* start;
        HWND found;
    } search{&start, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (ClassOf(child) == L"Button" && TextOf(child).rfind(*s->start, 0) == 0) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Acts on the installer's main window when it waits for the user.
void OnPage(HWND window, Progress& p) {
    HWND next = GetDlgItem(window, IDOK);
    if (!next || !IsWindowEnabled(next))
        return;
    const std::wstring label = TextOf(next);
    if (label == L"&Install" && !p.typed) {
        HWND page = FindWindowExW(window, nullptr, L"#32770", nullptr);
        HWND field = page ? GetDlgItem(page, kFolderEdit) : nullptr;
        if (!field)
            return;
        SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(p.folder.c_str()));
        p.typed = true;
        Press(window, IDOK);
    } else if (label == L"&Install" && p.refused && !p.cancelled) {
        p.cancelled = true;
        Press(window, IDCANCEL);
    } else if (label == L"&Finish" && !p.finished) {
        // The page's check box comes a moment after the button's label.
        HWND run = ButtonLabelled(window, L"&Run");
        if (!run)
            return;
        SendMessageW(run, BM_SETCHECK, BST_UNCHECKED, 0);
        if (SendMessageW(run, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
            return;
        p.finished = true;
        std::printf("finished\n");
        Press(window, IDOK);
    }
}

// One look at the screen: acts on the first window that waits for the user.
void Step(Progress& progress) {
    progress.seen.clear();
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& p = *reinterpret_cast<Progress*>(data);
            if (!IsDialog(window) || TextOf(window).rfind(L"Varnholt", 0) != 0)
                return TRUE;
            p.seen += L" [" + TextOf(window) + L"]";
            if (!IsWindowEnabled(window))
                return TRUE; // behind a message box
            const bool box = GetDlgItem(window, 0xFFFF) != nullptr;
            if (box && window == p.answered)
                return FALSE; // answered, closing
            if (box)
                p.answered = window;
            if (box && GetDlgItem(window, IDYES)) {
                // "Are you sure you want to quit ...?"
                std::printf("cancelled\n");
                Press(window, IDYES);
            } else if (box && GetDlgItem(window, IDCANCEL)) {
                std::printf("asked: %ls\n", MessageText(window).c_str());
                Press(window, IDOK);
            } else if (box) {
                std::printf("refused: %ls\n", MessageText(window).c_str());
                p.refused = true;
                Press(window, IDOK);
            } else {
                OnPage(window, p);
            }
            std::fflush(stdout);
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&progress));
}

} // namespace
} // namespace varnholt::test

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: install_answerer <setup.exe> <folder>\n");
        return 2;
    }
    const varnholt::UniqueKernelObject setup = varnholt::test::StartProgram(argv[1]);
    if (!setup) {
        return 1;
    }
    varnholt::test::Progress progress;
    progress.folder = argv[2];
    for (int look = 0; look < 600; ++look) {
        if (WaitForSingleObject(setup.get(), 100) == WAIT_OBJECT_0) {
            if (progress.finished || progress.cancelled)
                return 0;
            break;
        }
        varnholt::test::Step(progress);
    }
    std::fprintf(stderr,
                 "install_answerer: folder typed %d, refused %d, cancelled %d, finished %d; "
                 "dialogs on screen:%ls\n",
                 progress.typed, progress.refused, progress.cancelled, progress.finished,
                 progress.seen.c_str());
    return 1;
}
