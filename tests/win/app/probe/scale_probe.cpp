// Opens the real main window once per language and writes down what the
// scale test checks, one fact per line, into a UTF-8 report file:
//   scale_probe.exe REPORT MARKER...
//
//   window MARKER dpi=D awareness=A client=WxH column=C
//   picture MARKER LEFT TOP RIGHT BOTTOM RRGGBB     (RRGGBB: the pixel on
//                                                    screen one pixel inside
//                                                    the picture's right end,
//                                                    halfway down)
//   cut MARKER ID NEEDED AVAILABLE TEXT             (a caption wider than the
//                                                    room its control gives)
//
// It runs as a program of its own because the screen scale (Wine's
// LogPixels) is read once when a process starts.

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/varnholt_dlg.h"
#include "framework/dpi.h"
#include "resource.h"
#include "tests/support/program_folder.h"
#include "tests/support/pump.h"

namespace varnholt::test {
namespace {

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The caption as drawn: "&x" underlines x, "&&" is one "&".
std::wstring WithoutPrefixes(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
        }
        out += text[i];
    }
    return out;
}

int TextWidth(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

int AverageCharWidth(HWND control) {
    HDC dc = GetDC(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return metrics.tmAveCharWidth;
}

// The width a control's caption may take without being clipped: a group
// box's frame corners, a check box's box and a push button's edges take
// their share.
int RoomForCaption(HWND control, UINT dpi) {
    RECT rect{};
    GetClientRect(control, &rect);
    wchar_t className[32] = {};
    GetClassNameW(control, className, 32);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    if (lstrcmpiW(className, L"Button") != 0) {
        return rect.right;
    }
    switch (style & BS_TYPEMASK) {
    case BS_GROUPBOX:
        return rect.right - 2 * AverageCharWidth(control);
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return rect.right - ScaleForDpi(13 + 4, dpi);
    default:
        return rect.right - ScaleForDpi(2 * 3, dpi);
    }
}

// DPI_AWARENESS of the window (Windows 10 calls, looked up at run time);
// -1 when the system lacks them.
int Awareness(HWND window) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    using WindowContext = HANDLE(WINAPI*)(HWND);
    using ContextAwareness = int(WINAPI*)(HANDLE);
    const auto windowContext = reinterpret_cast<WindowContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
    const auto contextAwareness = reinterpret_cast<ContextAwareness>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (windowContext == nullptr || contextAwareness == nullptr) {
        return -1;
    }
    return contextAwareness(windowContext(window));
}

void Probe(std::FILE* report, const std::wstring& marker) {
    ProgramFolder folder;
    folder.WriteConfig({{L"Language", marker}});
    CVarnholtDlg dialog;
    dialog.Create();
    HWND window = dialog.m_hWnd;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(window);
    PumpPending();
    Sleep(200);
    PumpPending();

    const std::string name = Utf8(marker);
    const UINT dpi = WindowDpi(window);
    RECT client{};
    GetClientRect(window, &client);
    HWND list = GetDlgItem(window, IDC_PAIR_LIST);
    const int column = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
    const int awareness = Awareness(window);
    std::fprintf(report, "window %s dpi=%u awareness=%d client=%ldx%ld column=%d\n", name.c_str(),
                 dpi, awareness, client.right, client.bottom, column);

    HDC screen = GetDC(window);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        if (lstrcmpiW(className, L"Static") == 0 && (style & SS_TYPEMASK) == SS_BITMAP) {
            const COLORREF pixel =
                GetPixel(screen, place.right - 2, (place.top + place.bottom) / 2);
            std::fprintf(report, "picture %s %ld %ld %ld %ld %02X%02X%02X\n", name.c_str(),
                         place.left, place.top, place.right, place.bottom, GetRValue(pixel),
                         GetGValue(pixel), GetBValue(pixel));
            continue;
        }
        if (lstrcmpiW(className, L"Static") != 0 && lstrcmpiW(className, L"Button") != 0) {
            continue;
        }
        const std::wstring caption = WithoutPrefixes(WindowText(child));
        const int needed = TextWidth(child, caption);
        const int room = RoomForCaption(child, dpi);
        if (!caption.empty() && needed > room) {
            std::fprintf(report, "cut %s %d %d %d %s\n", name.c_str(), GetDlgCtrlID(child), needed,
                         room, Utf8(caption).c_str());
        }
    }
    ReleaseDC(window, screen);
    dialog.DestroyWindow();
    PumpPending();
}

} // namespace
} // namespace varnholt::test

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: scale_probe REPORT MARKER...\n", stderr);
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    std::FILE* report = _wfopen(argv[1], L"w");
    if (report == nullptr) {
        return 3;
    }
    for (int i = 2; i < argc; ++i) {
        varnholt::test::Probe(report, argv[i]);
    }
    std::fclose(report);
    return 0;
}
