// Numbers read from texts, against a reference of their own, and texts
// shortened for display.
//
// Input: one byte of choices, a number (four bytes), the two lengths of the
// shortening (one byte each, or four when the choices say so), then the text.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/text_numbers.h"
#include "fuzz/fuzz_input.h"

using namespace varnholt;
using varnholt::fuzz::InputReader;
using varnholt::fuzz::WideText;

namespace {

std::uint32_t DigitValue(wchar_t c, std::uint32_t base) {
    if (c >= L'0' && c <= L'9') {
        return static_cast<std::uint32_t>(c - L'0');
    }
    if (base == 16 && c >= L'a' && c <= L'f') {
        return static_cast<std::uint32_t>(c - L'a' + 10);
    }
    return 0; // any other character: 0 in its place
}

// The sum of digit times base to the power of its place from the right,
// taken modulo 2^32, computed from the left (Horner's rule gives the same
// sum).
std::int32_t Reference(const std::wstring& text, std::uint32_t base) {
    std::uint32_t value = 0;
    for (wchar_t c : text) {
        value = value * base + DigitValue(c, base);
    }
    return static_cast<std::int32_t>(value);
}

std::wstring LowerHex(std::uint32_t value) {
    std::wstring text;
    do {
        text.insert(text.begin(), L"0123456789abcdef"[value % 16]);
        value /= 16;
    } while (value != 0);
    return text;
}

void CheckShortened(const std::wstring& text, int maxLength, int headLength) {
    const std::wstring shown = ShortenText(text, maxLength, headLength);
    const auto size = static_cast<long long>(text.size());
    if (size < maxLength) {
        VARNHOLT_FUZZ_CHECK(shown == text);
        return;
    }
    // Head, " ... ", tail; a count below 0 takes none, one beyond the text
    // takes all.
    const auto head = static_cast<std::size_t>(std::clamp<long long>(headLength, 0, size));
    const auto tail = static_cast<std::size_t>(
        std::clamp<long long>(static_cast<long long>(maxLength) - headLength - 6, 0, size));
    VARNHOLT_FUZZ_CHECK(shown.size() == head + 5 + tail);
    VARNHOLT_FUZZ_CHECK(shown.compare(0, head, text, 0, head) == 0);
    VARNHOLT_FUZZ_CHECK(shown.compare(head, 5, L" ... ") == 0);
    VARNHOLT_FUZZ_CHECK(shown.compare(head + 5, tail, text, text.size() - tail, tail) == 0);
    // Lengths as the list of pairs uses them: the shortened text is shorter
    // than the longest one shown whole.
    if (headLength >= 0 && static_cast<long long>(maxLength) - headLength - 6 >= 0) {
        VARNHOLT_FUZZ_CHECK(static_cast<long long>(shown.size()) < maxLength);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputReader input(data, size);
    const std::uint8_t choice = input.Byte();
    const std::uint32_t number = input.Word();
    const auto length = [&] {
        return choice & 1 ? static_cast<int>(input.Word())
                          : static_cast<int>(static_cast<std::int8_t>(input.Byte()));
    };
    const int maxLength = length();
    const int headLength = length();
    const std::wstring text = WideText(input.Rest());

    VARNHOLT_FUZZ_CHECK(TextToInt(text) == Reference(text, 10));
    VARNHOLT_FUZZ_CHECK(HexTextToInt(text) == Reference(text, 16));
    // Numbers written out read back (the decimal ones up to 2^31 - 1).
    const auto positive = static_cast<std::int32_t>(number & 0x7FFFFFFF);
    VARNHOLT_FUZZ_CHECK(TextToInt(std::to_wstring(positive)) == positive);
    VARNHOLT_FUZZ_CHECK(HexTextToInt(LowerHex(number)) == static_cast<std::int32_t>(number));

    CheckShortened(text, maxLength, headLength);
    return 0;
}
