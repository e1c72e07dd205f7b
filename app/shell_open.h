#pragma once
// Hands a document or a web address to the shell, which opens it with the
// program registered for it (the help viewer, the browser). Nothing is
// reported: the shell's result is not looked at.

#include <windows.h>

#include <string>

namespace varnholt {

// ShellExecuteW with the verb "open", no parameters, no working folder and
// SW_SHOWNORMAL.
void ShellOpen(HWND owner, const std::wstring& target);

// Replaces the shell call, so tests can see what would be opened without
// starting a viewer or a browser. nullptr restores the real call. Returns the
// function in place before.
using ShellOpenFunction = void (*)(HWND owner, const std::wstring& target);
ShellOpenFunction SetShellOpenForTesting(ShellOpenFunction function);

} // namespace varnholt
