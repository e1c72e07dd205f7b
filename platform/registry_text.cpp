// Conversion between texts and REG_SZ data (UTF-16 little-endian).

#include "platform/registry.h"

namespace varnholt {

namespace {

void PutUnit(std::vector<std::uint8_t>& out, std::uint32_t unit) {
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
}

} // namespace

std::vector<std::uint8_t> RegistryTextBytes(const std::wstring& text) {
    std::vector<std::uint8_t> out;
    out.reserve(text.size() * 2 + 2);
    for (wchar_t w : text) {
        const auto c = static_cast<std::uint32_t>(w);
        if (sizeof(wchar_t) > 2 && c >= 0x10000 && c <= 0x10FFFF) {
            PutUnit(out, 0xD800 + ((c - 0x10000) >> 10));
            PutUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            PutUnit(out, c & 0xFFFF);
        }
    }
    PutUnit(out, 0);
    return out;
}

std::wstring RegistryBytesText(const std::vector<std::uint8_t>& data) {
    std::wstring text;
    const std::size_t units = data.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t unit = data[2 * i] | (static_cast<std::uint32_t>(data[2 * i + 1]) << 8);
        if (unit == 0) {
            break;
        }
        if (sizeof(wchar_t) > 2 && unit >= 0xD800 && unit < 0xDC00 && i + 1 < units) {
            const std::uint32_t low =
                data[2 * i + 2] | (static_cast<std::uint32_t>(data[2 * i + 3]) << 8);
            if (low >= 0xDC00 && low < 0xE000) {
                text.push_back(
                    static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
                ++i;
                continue;
            }
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

} // namespace varnholt
