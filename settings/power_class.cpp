// PowerClass: program location, text-to-number conversions, text shortening
// and the line test on single-byte text files.

#include "settings/power_class.h"

#include <algorithm>
#include <cstdint>

#include "base/text_numbers.h"
#include "platform/program_path.h"
#include "platform/text_files.h"

namespace varnholt {

std::wstring PowerClass::GetProgramDirectory() const {
    const std::wstring name = ProgramModuleFileName();
    const auto slash = name.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : name.substr(0, slash);
}

std::int32_t PowerClass::TextToInt(const std::wstring& text) {
    return ::varnholt::TextToInt(text);
}

std::int32_t PowerClass::HexTextToInt(const std::wstring& text) {
    return ::varnholt::HexTextToInt(text);
}

std::wstring PowerClass::ShortenText(const std::wstring& text, int maxLength, int headLength) {
    return ::varnholt::ShortenText(text, maxLength, headLength);
}

bool PowerClass::FileContainsLine(const std::wstring& path, const std::wstring& line) {
    const auto lines = ReadLatin1Lines(path);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace varnholt
