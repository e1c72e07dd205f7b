#pragma once
// Shows a raised error to the user. Window and dialog procedures (and any
// other Win32 callback) catch everything at their boundary and hand it here,
// so no exception ever unwinds through the system's frames.

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "base/errors.h"

namespace varnholt {

// How our own errors are worded while it lives: a window that shows its
// texts in the user's language holds one for its lifetime, so the errors of
// every handler show in that language. Scopes nest; the innermost is used.
// Used on the window thread only.
class ErrorWordingScope {
public:
    using Wording = std::function<std::wstring(const Error&)>;
    explicit ErrorWordingScope(Wording wording);
    ~ErrorWordingScope();
    ErrorWordingScope(const ErrorWordingScope&) = delete;
    ErrorWordingScope& operator=(const ErrorWordingScope&) = delete;

    std::wstring Word(const Error& error) const { return m_wording(error); }

private:
    Wording m_wording;
    ErrorWordingScope* m_outer;
};

// The text shown for an error: our own errors as the innermost wording scope
// words them (their English Message() without one), what() for other
// standard exceptions, and a generic text for anything else.
std::wstring DescribeError(std::exception_ptr error) noexcept;

// Shows the error in a message box owned by `owner`, with a stop icon, an OK
// button and the application's name as caption. Returns when the box closes.
void ReportError(HWND owner, std::exception_ptr error) noexcept;

// Runs `action`; an error it raises is reported with `owner` and swallowed.
// Returns true when the action completed.
template <class Action> bool CallReportingErrors(HWND owner, Action&& action) noexcept {
    try {
        action();
        return true;
    } catch (...) {
        ReportError(owner, std::current_exception());
        return false;
    }
}

} // namespace varnholt
