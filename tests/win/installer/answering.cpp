#include "tests/win/installer/answering.h"

#include <cstdio>
#include <iterator>

namespace varnholt::test {

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

bool IsDialog(HWND window) {
    return IsWindowVisible(window) && ClassOf(window) == L"#32770";
}

bool HoldsText(HWND window, const std::wstring& start) {
    struct Search {
        const std::wstring* start;
        bool found;
    } search{&start, false};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (ClassOf(child) == L"Static" && TextOf(child).rfind(*s->start, 0) == 0) {
                s->found = true;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring MessageText(HWND box) {
    // A message box keeps its text in the static control 0xFFFF.
    std::wstring text = TextOf(GetDlgItem(box, 0xFFFF));
    for (wchar_t& c : text) {
        if (c == L'\r' || c == L'\n') {
            c = L' ';
        }
    }
    return text;
}

void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

UniqueKernelObject StartProgram(const std::wstring& program) {
    std::wstring command = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %ls (error %lu)\n", program.c_str(), GetLastError());
        return UniqueKernelObject();
    }
    const UniqueKernelObject thread(process.hThread);
    return UniqueKernelObject(process.hProcess);
}

} // namespace varnholt::test
