#include "base/text_numbers.h"

#include <algorithm>
#include <string_view>

namespace varnholt {

namespace {

// Digits by place from the right; characters that are not digits count as 0
// but keep their place. Unsigned arithmetic gives the 32-bit wrap.
std::int32_t DigitsByPlace(const std::wstring& text, std::wstring_view digits, std::uint32_t base) {
    std::uint32_t result = 0;
    std::uint32_t weight = 1;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        const auto at = digits.find(*it);
        if (at != std::wstring_view::npos) {
            result += static_cast<std::uint32_t>(at) * weight;
        }
        weight *= base;
    }
    return static_cast<std::int32_t>(result);
}

} // namespace

std::int32_t TextToInt(const std::wstring& text) {
    return DigitsByPlace(text, L"0123456789", 10);
}

std::int32_t HexTextToInt(const std::wstring& text) {
    return DigitsByPlace(text, L"0123456789abcdef", 16);
}

std::wstring ShortenText(const std::wstring& text, int maxLength, int headLength) {
    const long long size = static_cast<long long>(text.size());
    if (size < maxLength) {
        return text;
    }
    auto clamp = [size](long long count) {
        return static_cast<std::size_t>(std::clamp<long long>(count, 0, size));
    };
    const std::size_t head = clamp(headLength);
    const std::size_t tail = clamp(static_cast<long long>(maxLength) - headLength - 6);
    return text.substr(0, head) + L" ... " + text.substr(text.size() - tail);
}

} // namespace varnholt
