// Catalogue texts used as formats: any text from the language file, printf
// conversions included, fills only the one placeholder the caller expects.
//
// Input: a number (four bytes), the text to fill in (up to a NUL byte), then
// the format.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "i18n/catalogue_format.h"

using namespace varnholt;
using varnholt::fuzz::InputReader;
using varnholt::fuzz::WideText;

namespace {

std::size_t Count(const std::wstring& text, const std::wstring& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// A character that `text` does not hold (there are more candidates than
// characters in any text that could hold them all and still be short).
wchar_t Absent(const std::wstring& text) {
    for (wchar_t c = 0xE000;; ++c) {
        if (text.find(c) == std::wstring::npos) {
            return c;
        }
    }
}

// Every "%" written as "%%", as a catalogue author escapes a percent sign.
std::wstring Escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        out += c;
        if (c == L'%') {
            out += L'%';
        }
    }
    return out;
}

// 'd' and 's' exchanged: the number's placeholder becomes the text's.
std::wstring SwapDS(std::wstring text) {
    for (wchar_t& c : text) {
        c = c == L'd' ? L's' : c == L's' ? L'd' : c;
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputReader input(data, size);
    const auto number = static_cast<std::int32_t>(input.Word());
    const std::wstring text = WideText(input.Field());
    const std::wstring format = WideText(input.Rest());

    // Without an argument only "%%" changes; escaping first gives the text
    // back.
    const std::wstring plain = FormatCataloguePlain(format);
    VARNHOLT_FUZZ_CHECK(plain.size() <= format.size());
    VARNHOLT_FUZZ_CHECK(FormatCataloguePlain(Escaped(format)) == format);
    VARNHOLT_FUZZ_CHECK(FormatCataloguePlain(L"%%" + format) == L"%" + plain);

    // A text the format does not hold is filled in at most once, and where
    // it is, a "%s" stood; everything else is as without an argument.
    const std::wstring sentinel(1, Absent(format));
    const std::wstring filled = FormatCatalogueText(format, sentinel);
    const std::size_t fills = Count(filled, sentinel);
    VARNHOLT_FUZZ_CHECK(fills <= 1);
    std::wstring unfilled = filled;
    if (fills == 1) {
        unfilled.replace(unfilled.find(sentinel), 1, L"%s");
    }
    VARNHOLT_FUZZ_CHECK(unfilled == plain);

    // The first placeholder is the one filled: one put in front takes the
    // value, and the format's own stay as written.
    VARNHOLT_FUZZ_CHECK(FormatCatalogueText(L"%s" + format, text) == text + plain);
    VARNHOLT_FUZZ_CHECK(FormatCatalogueNumber(L"%d" + format, number) ==
                        std::to_wstring(number) + plain);
    // One behind escaped text is still found.
    VARNHOLT_FUZZ_CHECK(FormatCatalogueText(Escaped(format) + L"%s", text) == format + text);

    // The number is filled as the text would be in the same place.
    VARNHOLT_FUZZ_CHECK(FormatCatalogueNumber(format, number) ==
                        SwapDS(FormatCatalogueText(SwapDS(format), std::to_wstring(number))));
    const std::wstring withText = FormatCatalogueText(format, text);
    VARNHOLT_FUZZ_CHECK(withText == plain || withText.size() + 2 == plain.size() + text.size());
    return 0;
}
