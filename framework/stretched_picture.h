#pragma once
// A bitmap picture control (a static with SS_BITMAP) that draws its bitmap
// over its whole size, whatever the size (framework/picture_layout.h), with
// smooth scaling. Dialogs size such pictures to their window, which grows
// with the dialog font and the screen's scale, while the bitmap keeps its
// pixel size.

#include <windows.h>

namespace varnholt {

// Takes over the painting of `picture` until it is destroyed; calling it
// again changes the fill column. False when `picture` is no bitmap static.
bool StretchPicture(HWND picture, int fillColumn);

} // namespace varnholt
