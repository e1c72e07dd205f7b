// PowerClass: program location, text-to-number conversions, text shortening
// and the line test on single-byte text files.

#include "settings/power_class.h"

#include <algorithm>
#include <cstdint>

#include "platform/program_path.h"
#include "settings/latin1_lines.h"

namespace varnholt {

namespace {

// Digits by place from the right; characters that are not digits count as 0
// but keep their place. Unsigned arithmetic gives the 32-bit wrap.
std::int32_t DigitsByPlace(const std::wstring& text, const wchar_t* digits, std::uint32_t base) {
    std::uint32_t result = 0;
    std::uint32_t weight = 1;
    const std::wstring_view known(digits);
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        const auto at = known.find(*it);
        if (at != std::wstring_view::npos) {
            result += static_cast<std::uint32_t>(at) * weight;
        }
        weight *= base;
    }
    return static_cast<std::int32_t>(result);
}

} // namespace

std::wstring PowerClass::GetProgramDirectory() const {
    const std::wstring name = ProgramModuleFileName();
    const auto slash = name.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : name.substr(0, slash);
}

std::int32_t PowerClass::TextToInt(const std::wstring& text) {
    return DigitsByPlace(text, L"0123456789", 10);
}

std::int32_t PowerClass::HexTextToInt(const std::wstring& text) {
    return DigitsByPlace(text, L"0123456789abcdef", 16);
}

std::wstring PowerClass::ShortenText(const std::wstring& text, int maxLength, int headLength) {
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

bool PowerClass::FileContainsLine(const std::wstring& path, const std::wstring& line) {
    const auto lines = ReadLatin1Lines(path);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace varnholt
