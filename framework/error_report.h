#pragma once
// Shows a raised error to the user. Window and dialog procedures (and any
// other Win32 callback) catch everything at their boundary and hand it here,
// so no exception ever unwinds through the system's frames.

#include <windows.h>

#include <exception>
#include <string>

namespace varnholt {

// The text shown for an error: Error::Message() for our own errors, what() for
// other standard exceptions, and a generic text for anything else.
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
