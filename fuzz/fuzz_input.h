#pragma once
// What the fuzz targets share: an input taken apart from the front, wide
// texts made from bytes, and the check that ends a run when an invariant
// does not hold.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::fuzz {

// An invariant that does not hold is a finding like a crash: say which one
// and abort, so that libFuzzer keeps the input.
#define VARNHOLT_FUZZ_CHECK(condition)                                                             \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// Takes an input apart from the front: single bytes and numbers (zero once
// the input is used up), fields that end at a NUL byte (the last one at the
// end of the input), and whatever is left.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size)
        : m_rest(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t Byte() {
        if (m_rest.empty()) {
            return 0;
        }
        const auto byte = static_cast<std::uint8_t>(m_rest.front());
        m_rest.remove_prefix(1);
        return byte;
    }

    std::uint32_t Word() {
        std::uint32_t word = 0;
        for (int i = 0; i < 4; ++i) {
            word = word << 8 | Byte();
        }
        return word;
    }

    std::string_view Field() {
        const auto end = m_rest.find('\0');
        const auto field = m_rest.substr(0, end);
        m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
        return field;
    }

    std::string_view Rest() {
        const auto rest = m_rest;
        m_rest = {};
        return rest;
    }

    bool Empty() const noexcept { return m_rest.empty(); }

private:
    std::string_view m_rest;
};

// The text in this build's wchar_t form of a sequence of UTF-16 code units,
// the form Windows holds. Where wchar_t has 32 bits, a high surrogate
// directly followed by a low one becomes the one character they stand for;
// lone surrogates stay as they are. Two spellings of the same Windows text
// thus compare equal after this.
inline std::wstring NativeText(const std::vector<char32_t>& units) {
    std::wstring text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t unit = units[i];
        if constexpr (sizeof(wchar_t) >= 4) {
            if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() &&
                units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00);
                ++i;
            }
        }
        text += static_cast<wchar_t>(unit);
    }
    return text;
}

// The UTF-16 code units of a text in this build's wchar_t form.
inline std::vector<char32_t> Utf16Units(const std::wstring& text) {
    std::vector<char32_t> units;
    units.reserve(text.size());
    for (wchar_t wc : text) {
        const auto c = static_cast<char32_t>(wc);
        if (c > 0xFFFF) {
            units.push_back(0xD800 + ((c - 0x10000) >> 10));
            units.push_back(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            units.push_back(c);
        }
    }
    return units;
}

// `text` with surrogate pairs joined where wchar_t has 32 bits.
inline std::wstring Joined(const std::wstring& text) {
    return NativeText(Utf16Units(text));
}

// A wide text from bytes, read as lenient UTF-8: ASCII stays ASCII, so the
// seeds are readable; sequences of two to four bytes give characters above
// U+007F, surrogates included (ED A0 80 is a lone U+D800; two such sequences
// can make a pair), and four-byte sequences characters above U+FFFF; any
// other byte stands for the character of the same value (U+0080..U+00FF).
inline std::wstring WideText(std::string_view bytes) {
    std::vector<char32_t> units;
    units.reserve(bytes.size());
    std::size_t i = 0;
    auto continuation = [&](std::size_t at) {
        return at < bytes.size() && (static_cast<unsigned char>(bytes[at]) & 0xC0) == 0x80;
    };
    auto bits = [&](std::size_t at) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[at]) & 0x3F);
    };
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead >= 0xC2 && lead <= 0xDF && continuation(i + 1)) {
            units.push_back((char32_t{lead} & 0x1F) << 6 | bits(i + 1));
            i += 2;
        } else if (lead >= 0xE0 && lead <= 0xEF && continuation(i + 1) && continuation(i + 2) &&
                   (lead != 0xE0 || static_cast<unsigned char>(bytes[i + 1]) >= 0xA0)) {
            units.push_back((char32_t{lead} & 0x0F) << 12 | bits(i + 1) << 6 | bits(i + 2));
            i += 3;
        } else if (lead >= 0xF0 && lead <= 0xF4 && continuation(i + 1) && continuation(i + 2) &&
                   continuation(i + 3)) {
            const char32_t c =
                (char32_t{lead} & 0x07) << 18 | bits(i + 1) << 12 | bits(i + 2) << 6 | bits(i + 3);
            if (c >= 0x10000 && c <= 0x10FFFF) {
                units.push_back(0xD800 + ((c - 0x10000) >> 10));
                units.push_back(0xDC00 + ((c - 0x10000) & 0x3FF));
                i += 4;
            } else {
                units.push_back(lead);
                ++i;
            }
        } else {
            units.push_back(lead);
            ++i;
        }
    }
    return NativeText(units);
}

} // namespace varnholt::fuzz
