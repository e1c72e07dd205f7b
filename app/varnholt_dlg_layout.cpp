// The main window at any screen scale: the banner and the footer pictures
// span the window's width, and the pair list's columns keep their width at
// 100 % (280 pixels) in proportion to the scale.

#include "app/varnholt_dlg.h"
#include "framework/dpi.h"
#include "framework/picture_layout.h"
#include "framework/stretched_picture.h"

namespace varnholt {

namespace {

// The banner's even stretch of background between the program's name and
// its caption on the right; it takes up any width the window has beyond the
// bitmap's. The footer's waves are simply stretched.
constexpr int kBannerFillColumn = 400;

constexpr int kPairColumnWidth = 280; // pixels at 100 %

} // namespace

void CVarnholtDlg::FitPicturesToWindow() {
    RECT client{};
    GetClientRect(&client);
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const auto style = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE));
        if ((style & SS_TYPEMASK) != SS_BITMAP) {
            continue;
        }
        // The template gives each picture its height in dialog units (which
        // follow the dialog font and the scale); its width becomes the
        // window's.
        RECT place{};
        ::GetWindowRect(child, &place);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
        ::SetWindowPos(child, nullptr, 0, place.top, client.right, place.bottom - place.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        StretchPicture(child, place.top == 0 ? kBannerFillColumn : kNoFillColumn);
    }
}

int CVarnholtDlg::PairColumnWidth() {
    m_columnDpi = WindowDpi(m_hWnd);
    return ScaleForDpi(kPairColumnWidth, m_columnDpi);
}

LRESULT CVarnholtDlg::OnDpiChanged(WPARAM dpis, LPARAM) {
    // The dialog manager scales the window, its font and its controls; the
    // pictures and the list's columns follow here, the columns in
    // proportion, so widths the user chose stay as chosen.
    const LRESULT result = Default();
    const UINT dpi = LOWORD(dpis);
    if (dpi != 0 && m_columnDpi != 0 && dpi != m_columnDpi) {
        for (int column = 0; column < 2; ++column) {
            const int width = m_pairList.GetColumnWidth(column);
            if (width > 0) {
                m_pairList.SetColumnWidth(
                    column, MulDiv(width, static_cast<int>(dpi), static_cast<int>(m_columnDpi)));
            }
        }
        m_columnDpi = dpi;
    }
    FitPicturesToWindow();
    return result;
}

} // namespace varnholt
