// Keeps one hidden window open for a whole test session under Wine. Wine's
// desktop process ends a few seconds after the last window of the session
// has closed, and every program that opens a window after that starts it
// again first, which costs well over a second each time: with a long run of
// console tests before them, every window test would pay it. Ended with the
// session's wineserver (tools/wine-env).

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    HWND window = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"Varnholt test session", WS_POPUP,
                                    0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    return 0;
}
