#pragma once
// Acts on a window of this thread as soon as it shows up, the way a person
// reacts to a dialog or a popup menu that opens: a thread timer looks for a
// visible top-level window of the class and caption every 20 ms while the
// watcher lives, and runs the action once on the first one found. Meant for
// windows whose own modal loop blocks the test (our own dialogs, shortcut
// menus); message boxes are answered by MessageBoxAnswerer.
//
//     WindowWatcher watcher(L"#32770", L"Language Selection",
//                           [](HWND dialog) { ... PostMessage ... });
//     window.Command(ID_LANGUAGE_SELECTION); // returns once the dialog ends
//     EXPECT_TRUE(watcher.Seen());

#include <windows.h>

#include <functional>
#include <string>

namespace varnholt::test {

class WindowWatcher {
public:
    using Action = std::function<void(HWND)>;

    // An empty caption matches any caption.
    WindowWatcher(std::wstring className, std::wstring caption, Action action);
    ~WindowWatcher();
    WindowWatcher(const WindowWatcher&) = delete;
    WindowWatcher& operator=(const WindowWatcher&) = delete;

    bool Seen() const noexcept { return m_seen; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
    void Look();

    std::wstring m_className;
    std::wstring m_caption;
    Action m_action;
    UINT_PTR m_timer = 0;
    bool m_seen = false;
    bool m_busy = false;
};

// Posts a click of button `id` to `dialog`.
void PostClick(HWND dialog, int id);

} // namespace varnholt::test
