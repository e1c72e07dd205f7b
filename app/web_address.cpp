#include "app/web_address.h"

#include <cwctype>

namespace varnholt {

namespace {

bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::towlower(text[i]) != prefix[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

bool IsWebAddress(const std::wstring& text) {
    for (const std::wstring scheme : {L"http://", L"https://"}) {
        if (StartsWithIgnoringCase(text, scheme) && text.size() > scheme.size()) {
            return true;
        }
    }
    return false;
}

} // namespace varnholt
