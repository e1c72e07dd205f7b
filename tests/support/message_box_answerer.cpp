#include "tests/support/message_box_answerer.h"

#include <algorithm>

#include "framework/dialog.h"
#include "framework/wnd.h"

namespace varnholt::test {

namespace {

thread_local MessageBoxAnswerer* t_current = nullptr;

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

} // namespace

bool ShownDialog::HasButton(int id) const {
    return std::find(buttons.begin(), buttons.end(), id) != buttons.end();
}

bool ShownDialog::HasStopIcon() const {
    return icon != nullptr && icon == ::LoadIconW(nullptr, IDI_HAND);
}

bool ShownDialog::HasWarningIcon() const {
    return icon != nullptr && icon == ::LoadIconW(nullptr, IDI_WARNING);
}

MessageBoxAnswerer::MessageBoxAnswerer() {
    m_outer = t_current;
    t_current = this;
    m_hook.reset(::SetWindowsHookExW(WH_CBT, &HookProc, nullptr, ::GetCurrentThreadId()));
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    m_hook.reset();
    t_current = m_outer;
}

void MessageBoxAnswerer::Press(int buttonId) {
    m_actions.push_back(
        [buttonId](const ShownDialog& shown) { PressButton(shown.window, buttonId); });
}

void MessageBoxAnswerer::Do(Action action) {
    m_actions.push_back(std::move(action));
}

void MessageBoxAnswerer::PressButton(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

ShownDialog MessageBoxAnswerer::Describe(HWND dialog) {
    ShownDialog shown;
    shown.window = dialog;
    shown.owner = ::GetWindow(dialog, GW_OWNER);
    shown.caption = CWnd(dialog).GetWindowText();
    if (HWND text = ::GetDlgItem(dialog, 0xFFFF)) {
        shown.text = CWnd(text).GetWindowText();
    }
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        // The dialog itself may not be shown yet when it is activated, so
        // look at the children's own visibility style.
        LONG style = ::GetWindowLongW(child, GWL_STYLE);
        if (!(style & WS_VISIBLE)) {
            continue;
        }
        std::wstring kind = ClassName(child);
        if (_wcsicmp(kind.c_str(), L"Button") == 0) {
            shown.buttons.push_back(::GetDlgCtrlID(child));
        } else if (_wcsicmp(kind.c_str(), L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
            shown.icon = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
        }
    }
    return shown;
}

void MessageBoxAnswerer::OnActivate(HWND window) {
    if (ClassName(window) != L"#32770" || CDialog::FromHandle(window) != nullptr ||
        !m_seen.insert(window).second) {
        return;
    }
    m_shown.push_back(Describe(window));
    const ShownDialog& shown = m_shown.back();
    if (!m_actions.empty()) {
        Action action = std::move(m_actions.front());
        m_actions.pop_front();
        action(shown);
    } else if (shown.HasButton(IDCANCEL)) {
        PressButton(window, IDCANCEL);
    } else if (shown.HasButton(IDOK)) {
        PressButton(window, IDOK);
    } else if (!shown.buttons.empty()) {
        PressButton(window, shown.buttons.front());
    } else {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    }
}

LRESULT CALLBACK MessageBoxAnswerer::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    MessageBoxAnswerer* self = t_current;
    if (code == HCBT_ACTIVATE && self != nullptr) {
        try {
            self->OnActivate(reinterpret_cast<HWND>(wParam));
        } catch (...) {
            // Nothing may unwind through the system's hook frames.
        }
    }
    return ::CallNextHookEx(self != nullptr ? self->m_hook.get() : nullptr, code, wParam, lParam);
}

} // namespace varnholt::test
