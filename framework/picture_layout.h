#pragma once
// How a bitmap is laid over a picture control of another size, as pieces
// (a rectangle of the bitmap and where it goes), decided without a window.
//
// The bitmap is scaled to the control's height. With a fill column (a
// column whose pixels the picture can repeat sideways, such as an even
// stretch of background between a name on the left and a caption on the
// right), the part left of that column keeps its proportions at the left
// edge, the part right of it at the right edge, and the column itself is
// stretched across the space between. Without one, or when the control is
// too narrow for the two parts, the whole bitmap is stretched to the
// control.

#include <windows.h>

#include <vector>

namespace varnholt {

struct PicturePiece {
    RECT source; // in the bitmap
    RECT target; // in the control's client area
};

inline constexpr int kNoFillColumn = -1;

std::vector<PicturePiece> LayOutPicture(SIZE bitmap, SIZE control, int fillColumn);

} // namespace varnholt
