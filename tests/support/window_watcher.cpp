#include "tests/support/window_watcher.h"

#include <map>

namespace varnholt::test {

namespace {

thread_local std::map<UINT_PTR, WindowWatcher*> t_watchers;

struct Search {
    const std::wstring* className;
    const std::wstring* caption;
    HWND found = nullptr;
};

BOOL CALLBACK Match(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (*search->className != name || !::IsWindowVisible(window)) {
        return TRUE;
    }
    if (!search->caption->empty()) {
        wchar_t text[256] = {};
        ::GetWindowTextW(window, text, 256);
        if (*search->caption != text) {
            return TRUE;
        }
    }
    search->found = window;
    return FALSE;
}

} // namespace

WindowWatcher::WindowWatcher(std::wstring className, std::wstring caption, Action action)
    : m_className(std::move(className)), m_caption(std::move(caption)),
      m_action(std::move(action)) {
    m_timer = ::SetTimer(nullptr, 0, 20, &OnTimer);
    t_watchers[m_timer] = this;
}

WindowWatcher::~WindowWatcher() {
    ::KillTimer(nullptr, m_timer);
    t_watchers.erase(m_timer);
}

void CALLBACK WindowWatcher::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    auto watcher = t_watchers.find(id);
    if (watcher != t_watchers.end()) {
        watcher->second->Look();
    }
}

void WindowWatcher::Look() {
    if (m_seen || m_busy) {
        return;
    }
    Search search{&m_className, &m_caption};
    ::EnumThreadWindows(::GetCurrentThreadId(), &Match, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) {
        return;
    }
    m_seen = true;
    m_busy = true;
    try {
        m_action(search.found);
    } catch (...) {
        // Nothing may unwind through the timer's system frames.
    }
    m_busy = false;
}

void PostClick(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

} // namespace varnholt::test
