#include "i18n/catalogue_format.h"

namespace varnholt {

namespace {

// `kind` is the letter of the one placeholder to fill ('d' or 's'), or 0.
std::wstring Fill(const std::wstring& format, wchar_t kind, const std::wstring& value) {
    std::wstring out;
    out.reserve(format.size() + value.size());
    bool filled = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const wchar_t c = format[i];
        if (c == L'%' && i + 1 < format.size()) {
            const wchar_t next = format[i + 1];
            if (next == L'%') {
                out.push_back(L'%');
                ++i;
                continue;
            }
            if (kind != 0 && next == kind && !filled) {
                out += value;
                filled = true;
                ++i;
                continue;
            }
        }
        out.push_back(c);
    }
    return out;
}

} // namespace

std::wstring FormatCatalogueNumber(const std::wstring& format, std::int32_t value) {
    return Fill(format, L'd', std::to_wstring(value));
}

std::wstring FormatCatalogueText(const std::wstring& format, const std::wstring& value) {
    return Fill(format, L's', value);
}

std::wstring FormatCataloguePlain(const std::wstring& format) {
    return Fill(format, 0, {});
}

std::wstring JoinParagraphs(const std::wstring& first, const std::wstring& second) {
    return first + L"\n\n" + second;
}

} // namespace varnholt
