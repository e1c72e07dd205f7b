#include "framework/picture_layout.h"

namespace varnholt {

namespace {

// `length` bitmap pixels at the scale control/bitmap height, rounded.
int Scaled(int length, SIZE bitmap, SIZE control) {
    return MulDiv(length, control.cy, bitmap.cy);
}

} // namespace

std::vector<PicturePiece> LayOutPicture(SIZE bitmap, SIZE control, int fillColumn) {
    if (bitmap.cx <= 0 || bitmap.cy <= 0 || control.cx <= 0 || control.cy <= 0) {
        return {};
    }
    const PicturePiece whole{{0, 0, bitmap.cx, bitmap.cy}, {0, 0, control.cx, control.cy}};
    if (fillColumn <= 0 || fillColumn >= bitmap.cx - 1) {
        return {whole};
    }
    const int leftWidth = Scaled(fillColumn, bitmap, control);
    const int rightWidth = Scaled(bitmap.cx - fillColumn - 1, bitmap, control);
    const int fillWidth = control.cx - leftWidth - rightWidth;
    if (fillWidth < 1) {
        return {whole};
    }
    return {
        {{0, 0, fillColumn, bitmap.cy}, {0, 0, leftWidth, control.cy}},
        {{fillColumn, 0, fillColumn + 1, bitmap.cy},
         {leftWidth, 0, leftWidth + fillWidth, control.cy}},
        {{fillColumn + 1, 0, bitmap.cx, bitmap.cy},
         {control.cx - rightWidth, 0, control.cx, control.cy}},
    };
}

} // namespace varnholt
