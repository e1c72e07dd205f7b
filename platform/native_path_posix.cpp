#include "platform/native_path.h"

#include "base/utf8.h"

namespace varnholt {

std::string ToNativePath(const std::wstring& path) {
    std::string out;
    out.reserve(path.size());
    for (wchar_t wc : path) {
        auto c = static_cast<char32_t>(wc);
        if (c == U'\\') {
            out.push_back('/');
        } else if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c >= 0xDC80 && c <= 0xDCFF) {
            out.push_back(static_cast<char>(c - 0xDC00)); // a raw byte, see FromNativeName
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

std::wstring FromNativeName(const std::string& name) {
    std::wstring out;
    out.reserve(name.size());
    std::size_t i = 0;
    while (i < name.size()) {
        auto b = static_cast<unsigned char>(name[i]);
        std::size_t length = b < 0x80           ? 1
                             : (b >> 5) == 0x6  ? 2
                             : (b >> 4) == 0xE  ? 3
                             : (b >> 3) == 0x1E ? 4
                                                : 0;
        char32_t c = length == 1   ? b
                     : length == 2 ? (b & 0x1F)
                     : length == 3 ? (b & 0x0F)
                                   : (b & 0x07);
        bool valid = length != 0 && i + length <= name.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            auto next = static_cast<unsigned char>(name[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values above U+10FFFF are not valid.
        static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && c >= kMinimum[length] && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
        if (valid) {
            out.push_back(static_cast<wchar_t>(c));
            i += length;
        } else {
            out.push_back(static_cast<wchar_t>(0xDC00 + b));
            ++i;
        }
    }
    return out;
}

} // namespace varnholt
