#include "sync/folder_list_value.h"

namespace varnholt {

namespace {

constexpr wchar_t kSeparator = L'*';
constexpr wchar_t kHexDigits[] = L"0123456789abcdef";

bool NeedsEscape(char32_t c) {
    return c < 0x20 || c == U'<' || c == U'*' || c > 0xFF;
}

void AppendCodeUnit(std::wstring& out, char32_t unit) {
    out += L'<';
    for (int shift = 12; shift >= 0; shift -= 4) {
        out += kHexDigits[(unit >> shift) & 0xF];
    }
    out += L'>';
}

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    return -1;
}

// Reads "<xxxx>" at `at`; -1 when the text there is not of that form.
long ReadCodeUnit(const std::wstring& text, std::size_t at) {
    if (at + 6 > text.size() || text[at] != L'<' || text[at + 5] != L'>') {
        return -1;
    }
    long unit = 0;
    for (std::size_t k = 1; k <= 4; ++k) {
        int digit = HexValue(text[at + k]);
        if (digit < 0) {
            return -1;
        }
        unit = unit * 16 + digit;
    }
    return unit;
}

} // namespace

std::wstring EncodeStoredEntry(const std::wstring& entry) {
    std::wstring out;
    out.reserve(entry.size());
    for (wchar_t wc : entry) {
        auto c = static_cast<char32_t>(wc);
        if (!NeedsEscape(c)) {
            out += wc;
        } else if (c > 0xFFFF) {
            // Only where wchar_t holds whole code points: store the UTF-16 pair.
            char32_t v = c - 0x10000;
            AppendCodeUnit(out, 0xD800 + (v >> 10));
            AppendCodeUnit(out, 0xDC00 + (v & 0x3FF));
        } else {
            AppendCodeUnit(out, c);
        }
    }
    return out;
}

std::wstring DecodeStoredEntry(const std::wstring& stored) {
    std::wstring out;
    out.reserve(stored.size());
    std::size_t i = 0;
    while (i < stored.size()) {
        long unit = ReadCodeUnit(stored, i);
        if (unit < 0) {
            out += stored[i++];
            continue;
        }
        i += 6;
        if constexpr (sizeof(wchar_t) >= 4) {
            // Rebuild a character above U+FFFF from its surrogate pair.
            long low = unit >= 0xD800 && unit <= 0xDBFF ? ReadCodeUnit(stored, i) : -1;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 6;
            }
        }
        out += static_cast<wchar_t>(unit);
    }
    return out;
}

std::wstring EncodeFolderListValue(const CStringArray& entries) {
    std::wstring value;
    for (const std::wstring& entry : entries) {
        value += EncodeStoredEntry(entry);
        value += kSeparator;
    }
    return value;
}

CStringArray DecodeFolderListValue(const std::wstring& value) {
    CStringArray entries;
    std::size_t pos = 0;
    while (value.size() - pos > 1) {
        std::size_t star = value.find(kSeparator, pos);
        if (star == std::wstring::npos) {
            entries.Add(DecodeStoredEntry(value.substr(pos)));
            break;
        }
        entries.Add(DecodeStoredEntry(value.substr(pos, star - pos)));
        pos = star + 1;
    }
    return entries;
}

std::wstring DropLastStoredEntry(const std::wstring& value) {
    std::size_t end = value.size();
    if (end > 0 && value[end - 1] == kSeparator) {
        --end; // the "*" that ends the last entry
    }
    std::size_t star = end == 0 ? std::wstring::npos : value.rfind(kSeparator, end - 1);
    return star == std::wstring::npos ? std::wstring() : value.substr(0, star + 1);
}

} // namespace varnholt
