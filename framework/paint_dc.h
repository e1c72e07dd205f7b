#pragma once
// CPaintDC: BeginPaint in the constructor, EndPaint in the destructor. For
// WM_PAINT handlers only.

#include <windows.h>

#include "framework/wnd.h"

namespace varnholt {

class CPaintDC {
public:
    explicit CPaintDC(const CWnd& window) : m_hWnd(window.m_hWnd) {
        m_hDC = ::BeginPaint(m_hWnd, &m_ps);
    }
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const noexcept { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }

    PAINTSTRUCT m_ps{};
    HDC m_hDC = nullptr;

private:
    HWND m_hWnd;
};

} // namespace varnholt
