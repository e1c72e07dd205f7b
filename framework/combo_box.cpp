#include "framework/combo_box.h"

#include <vector>

#include "base/errors.h"

namespace varnholt {

int CComboBox::AddString(const std::wstring& text) {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CComboBox::GetCount() const {
    return static_cast<int>(SendMessage(CB_GETCOUNT));
}

int CComboBox::GetCurSel() const {
    return static_cast<int>(SendMessage(CB_GETCURSEL));
}

int CComboBox::SetCurSel(int index) {
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
}

std::wstring CComboBox::GetLBText(int index) const {
    auto length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (index < 0 || length == CB_ERR) {
        throw InvalidArgumentError();
    }
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    auto copied = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index),
                              reinterpret_cast<LPARAM>(buffer.data()));
    if (copied == CB_ERR) {
        throw InvalidArgumentError();
    }
    return std::wstring(buffer.data(), static_cast<std::size_t>(copied));
}

int CComboBox::FindString(int startAfter, const std::wstring& prefix) const {
    return static_cast<int>(SendMessage(CB_FINDSTRING, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(prefix.c_str())));
}

void CComboBox::ResetContent() {
    SendMessage(CB_RESETCONTENT);
}

} // namespace varnholt
