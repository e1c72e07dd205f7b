#pragma once
// The box a person would answer while a window waits for it: About, a
// message, the folder dialog, or a box over one of those.

#include <windows.h>

namespace varnholt {

// A visible and enabled window of this thread that `window` owns, directly or
// through other boxes (a modal box disables its owner); nullptr when there is
// none. The most recently active popup is not enough: it is `window` again
// once that was activated.
HWND OpenBoxOver(HWND window) noexcept;

} // namespace varnholt
