#pragma once
// What the answerers of the installer's and the uninstaller's pages share:
// finding NSIS's windows among all top-level windows (the uninstaller goes
// on in a copy of itself, so not by process), reading them and pressing their
// buttons as a person would.

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace varnholt::test {

std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);

// A visible dialog box: NSIS's own window and its message boxes.
bool IsDialog(HWND window);

// True when a static control among the window's children starts with `start`.
bool HoldsText(HWND window, const std::wstring& start);

// The text of a message box, on one line.
std::wstring MessageText(HWND box);

// Presses the button `id` of the dialog, as a click would.
void Press(HWND dialog, int id);

// Starts `program` with the command line `"program"` and returns the owner of
// its process handle, empty (with the reason on standard error) when it could
// not be started.
UniqueKernelObject StartProgram(const std::wstring& program);

} // namespace varnholt::test
