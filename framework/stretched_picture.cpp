#include "framework/stretched_picture.h"

#include <commctrl.h>

#include "framework/picture_layout.h"
#include "platform/handles.h"

namespace varnholt {

namespace {

constexpr UINT_PTR kSubclassId = 0x5650; // any number unique among this control's subclasses

void PaintPicture(HWND picture, HDC dc, int fillColumn) noexcept {
    RECT client{};
    GetClientRect(picture, &client);
    const auto bitmap =
        reinterpret_cast<HBITMAP>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
        return;
    }
    const UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!memory) {
        return;
    }
    const HGDIOBJ old = SelectObject(memory.get(), bitmap);
    // HALFTONE averages the pixels it merges or spreads; it needs the brush
    // origin set again afterwards.
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    for (const PicturePiece& piece :
         LayOutPicture({info.bmWidth, info.bmHeight}, {client.right, client.bottom}, fillColumn)) {
        const RECT& s = piece.source;
        const RECT& t = piece.target;
        StretchBlt(dc, t.left, t.top, t.right - t.left, t.bottom - t.top, memory.get(), s.left,
                   s.top, s.right - s.left, s.bottom - s.top, SRCCOPY);
    }
    SetStretchBltMode(dc, oldMode);
    SelectObject(memory.get(), old);
}

LRESULT CALLBACK PictureProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                             DWORD_PTR fillColumn) noexcept {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        if (HDC dc = BeginPaint(picture, &paint)) {
            PaintPicture(picture, dc, static_cast<int>(fillColumn));
            EndPaint(picture, &paint);
        }
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintPicture(picture, reinterpret_cast<HDC>(wParam), static_cast<int>(fillColumn));
        return 0;
    case WM_ERASEBKGND:
        return 1; // the picture covers all of it
    case WM_NCDESTROY:
        RemoveWindowSubclass(picture, PictureProc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(picture, message, wParam, lParam);
}

} // namespace

bool StretchPicture(HWND picture, int fillColumn) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(picture, GWL_STYLE));
    if ((style & SS_TYPEMASK) != SS_BITMAP) {
        return false;
    }
    if (!SetWindowSubclass(picture, PictureProc, kSubclassId, static_cast<DWORD_PTR>(fillColumn))) {
        return false;
    }
    InvalidateRect(picture, nullptr, FALSE);
    return true;
}

} // namespace varnholt
