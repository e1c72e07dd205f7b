#pragma once
// Answers message boxes and other system dialogs (#32770 windows) shown on
// the calling thread, and records what they showed.
//
//     MessageBoxAnswerer answerer;          // hook installed on this thread
//     answerer.Press(IDNO);                 // the first dialog gets "No"
//     dialog.SendMessage(WM_COMMAND, 1004); // code that shows message boxes
//     ASSERT_EQ(answerer.Count(), 2u);      // later dialogs get the default
//     EXPECT_EQ(answerer.Shown()[0].text, L"...");
//
// A thread-local WH_CBT hook sees each dialog when it is first activated,
// records it and *posts* the answer, so the dialog's own modal loop ends it.
// Assert after the code under test returns, not inside an action. Dialogs of
// our own library (CDialog) are left alone.

#include <windows.h>

#include <cstddef>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace varnholt::test {

struct ShownDialog {
    HWND window = nullptr;
    HWND owner = nullptr;     // GetWindow(GW_OWNER)
    std::wstring caption;     // window text
    std::wstring text;        // text of the static control 0xFFFF (a message box's text)
    HICON icon = nullptr;     // the visible icon, nullptr when none
    std::vector<int> buttons; // ids of the visible buttons, in child order

    bool HasButton(int id) const;
    // The stop (error) icon, IDI_HAND.
    bool HasStopIcon() const;
    // The warning icon, IDI_WARNING.
    bool HasWarningIcon() const;
};

class MessageBoxAnswerer {
public:
    using Action = std::function<void(const ShownDialog&)>;

    MessageBoxAnswerer();
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Queues answers: the n-th dialog that appears gets the n-th one. Dialogs
    // beyond the queue get the default: Cancel when it has that button,
    // else OK, else its first button, else WM_CLOSE.
    void Press(int buttonId);
    // A custom answer (it must end the dialog, e.g. by posting a command).
    void Do(Action action);

    const std::vector<ShownDialog>& Shown() const noexcept { return m_shown; }
    std::size_t Count() const noexcept { return m_shown.size(); }
    void Clear() { m_shown.clear(); }

    // Posts a click of button `id` to `dialog`.
    static void PressButton(HWND dialog, int id);
    // Reads what a dialog shows.
    static ShownDialog Describe(HWND dialog);

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND window);

    UniqueHook m_hook;
    MessageBoxAnswerer* m_outer = nullptr;
    std::deque<Action> m_actions;
    std::vector<ShownDialog> m_shown;
    std::set<HWND> m_seen;
};

} // namespace varnholt::test
