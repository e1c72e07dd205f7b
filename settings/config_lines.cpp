#include "settings/config_lines.h"

#include "base/errors.h"
#include "base/latin1_lines.h"

namespace varnholt {

std::wstring ConfigValueIn(const std::vector<std::wstring>& lines, const std::wstring& key) {
    std::wstring result;
    std::size_t i = 0;
    while (i < lines.size()) {
        if (lines[i] == key) {
            result = i + 1 < lines.size() ? lines[i + 1] : std::wstring();
            i += 2;
        } else {
            ++i;
        }
    }
    return result;
}

void CheckStorableValue(const std::wstring& key, const std::wstring& value) {
    if (!IsLatin1(value)) {
        throw InvalidArgumentError(Wording::ValueNotLatin1, key);
    }
    if (value.find_first_of(L"\n\x1A") != std::wstring::npos) {
        throw InvalidArgumentError(Wording::ValueWithLineBreak, key);
    }
}

std::vector<std::wstring> WithConfigValue(std::vector<std::wstring> lines, const std::wstring& key,
                                          const std::wstring& value) {
    // The line just written is itself compared with the key in the next step.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == key) {
            if (i + 1 >= lines.size()) {
                throw InvalidArgumentError();
            }
            lines[i + 1] = value;
        }
    }
    return lines;
}

} // namespace varnholt
