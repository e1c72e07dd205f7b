// Runs Varnholt's uninstaller with its pages, as a person would:
//   uninstall_answerer.exe <Uninstall.exe> yes|no
// chooses "Uninstall" on the first page, answers the question whether the
// settings go too with Yes or No, and chooses "Close" at the end. Exits 0
// when all three happened, 1 with what it saw when not within 60 seconds.
// The uninstaller goes on in a copy of itself, so its windows are found by
// caption among all top-level windows, not by process.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/win/installer/answering.h"

namespace varnholt::test {
namespace {

struct Progress {
    int answer = IDNO;
    bool confirmed = false;
    bool asked = false;
    bool closed = false;
    std::wstring seen;
};

// One look at the screen: acts on the first window that waits for the user.
void Step(Progress& progress) {
    progress.seen.clear();
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& p = *reinterpret_cast<Progress*>(data);
            if (!IsDialog(window))
                return TRUE;
            const std::wstring caption = TextOf(window);
            p.seen += L" [" + caption + L"]";
            if (HoldsText(window, L"Remove your Varnholt settings")) {
                if (!p.asked)
                    Press(window, p.answer);
                p.asked = true;
                return FALSE;
            }
            if (caption.rfind(L"Varnholt", 0) != 0 ||
                caption.find(L"Uninstall") == std::wstring::npos)
                return TRUE;
            HWND next = GetDlgItem(window, IDOK);
            if (!next || !IsWindowEnabled(next))
                return FALSE;
            const std::wstring label = TextOf(next);
            if (label == L"&Uninstall" && !p.confirmed) {
                p.confirmed = true;
                Press(window, IDOK);
            } else if (label == L"&Close" && p.confirmed) {
                p.closed = true;
                Press(window, IDOK);
            }
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&progress));
}

} // namespace
} // namespace varnholt::test

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 || (std::wstring(argv[2]) != L"yes" && std::wstring(argv[2]) != L"no")) {
        std::fprintf(stderr, "usage: uninstall_answerer <Uninstall.exe> yes|no\n");
        return 2;
    }
    const varnholt::UniqueKernelObject uninstaller = varnholt::test::StartProgram(argv[1]);
    if (!uninstaller) {
        return 1;
    }

    varnholt::test::Progress progress;
    progress.answer = std::wstring(argv[2]) == L"yes" ? IDYES : IDNO;
    for (int look = 0; look < 600 && !progress.closed; ++look) {
        Sleep(100);
        varnholt::test::Step(progress);
    }
    if (progress.closed && progress.asked)
        return 0;
    std::fprintf(stderr,
                 "uninstall_answerer: after 60 s: Uninstall chosen %d, settings question answered "
                 "%d, Close chosen %d; dialogs on screen:%ls\n",
                 progress.confirmed, progress.asked, progress.closed, progress.seen.c_str());
    return 1;
}
