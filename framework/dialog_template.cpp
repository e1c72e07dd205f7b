#include "framework/dialog_template.h"

#include <cstring>

namespace varnholt {

namespace {

template <class T> T ReadAt(const unsigned char* data, std::size_t offset) {
    T value;
    std::memcpy(&value, data + offset, sizeof(T));
    return value;
}

} // namespace

bool ReadDialogTemplateHeader(HINSTANCE module, UINT id, DialogTemplateHeader& header) {
    HRSRC resource =
        ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /*RT_DIALOG*/);
    if (resource == nullptr) {
        return false;
    }
    HGLOBAL loaded = ::LoadResource(module, resource);
    const auto* data = static_cast<const unsigned char*>(::LockResource(loaded));
    DWORD size = ::SizeofResource(module, resource);
    if (data == nullptr || size < 18) {
        return false;
    }
    // DLGTEMPLATEEX starts with dlgVer 1 and signature 0xFFFF:
    //   WORD dlgVer, signature; DWORD helpID, exStyle, style; WORD cDlgItems; short x, y, cx, cy
    // DLGTEMPLATE: DWORD style, exStyle; WORD cdit; short x, y, cx, cy
    bool extended = ReadAt<WORD>(data, 0) == 1 && ReadAt<WORD>(data, 2) == 0xFFFF;
    std::size_t position = extended ? 18 : 10;
    if (size < position + 8) {
        return false;
    }
    header.style = ReadAt<DWORD>(data, extended ? 12 : 0);
    header.x = ReadAt<short>(data, position);
    header.y = ReadAt<short>(data, position + 2);
    header.cx = ReadAt<short>(data, position + 4);
    header.cy = ReadAt<short>(data, position + 6);
    return true;
}

} // namespace varnholt
