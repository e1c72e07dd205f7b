#include "base/latin1_lines.h"

#include "base/errors.h"

namespace varnholt {

std::vector<std::wstring> DecodeLatin1Lines(std::string_view bytes) {
    const auto end = bytes.find('\x1A');
    if (end != std::string_view::npos) {
        bytes = bytes.substr(0, end);
    }
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto stop = bytes.find('\n', start);
        const bool ended = stop != std::string_view::npos;
        if (!ended) {
            stop = bytes.size();
        }
        std::size_t length = stop - start;
        if (ended && length > 0 && bytes[stop - 1] == '\r') {
            --length;
        }
        std::wstring line;
        line.reserve(length);
        for (std::size_t i = start; i < start + length; ++i) {
            line.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i])));
        }
        lines.push_back(std::move(line));
        start = ended ? stop + 1 : stop;
    }
    return lines;
}

bool IsLatin1(const std::wstring& text) noexcept {
    for (wchar_t c : text) {
        if (static_cast<unsigned long>(c) > 0xFF) {
            return false;
        }
    }
    return true;
}

std::string EncodeLatin1Lines(const std::vector<std::wstring>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        if (!IsLatin1(line)) {
            throw InvalidArgumentError(Wording::TextNotSingleByte);
        }
        for (wchar_t c : line) {
            bytes.push_back(static_cast<char>(static_cast<unsigned char>(c)));
        }
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace varnholt
