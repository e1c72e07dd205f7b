#pragma once
// The screen scale a window is shown at, for sizes given in pixels at 100 %
// (96 dots per inch). The program declares itself per-monitor DPI aware, so
// Windows does not stretch its windows: sizes in pixels must be scaled here.

#include <windows.h>

namespace varnholt {

inline constexpr UINT kDefaultDpi = 96;

// The DPI of the monitor the window is on (GetDpiForWindow, where the system
// has it), else the screen's.
UINT WindowDpi(HWND window);

// `pixels` at 96 DPI, scaled to `dpi` and rounded.
inline int ScaleForDpi(int pixels, UINT dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kDefaultDpi));
}

} // namespace varnholt
