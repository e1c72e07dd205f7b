// PowerClass: the settings file config.ini in the program directory. A plain
// sequence of single-byte lines; the line after a key line is that key's
// value. Nothing is cached: every read scans the file, every write rewrites it.

#include <cstddef>
#include <vector>

#include "base/errors.h"
#include "base/latin1_lines.h"
#include "platform/text_files.h"
#include "settings/power_class.h"

namespace varnholt {

namespace {

// Refuses values that cannot read back as written: characters without a
// single-byte form, line breaks (the value would turn into several lines and
// shift every pair after it), and the byte 1A (it ends the text on reading,
// so everything after it would be lost at the next write).
void CheckStorable(const std::wstring& key, const std::wstring& value) {
    if (!IsLatin1(value)) {
        throw InvalidArgumentError(L"The value for \"" + key +
                                   L"\" holds a character that config.ini cannot store. "
                                   L"Only characters of Western European text (ISO 8859-1) "
                                   L"can be stored there.");
    }
    if (value.find_first_of(L"\n\x1A") != std::wstring::npos) {
        throw InvalidArgumentError(L"The value for \"" + key +
                                   L"\" holds a line break or control character that "
                                   L"config.ini cannot store.");
    }
}

} // namespace

std::wstring PowerClass::ConfigFilePath() const {
    return GetProgramDirectory() + L"\\config.ini";
}

std::wstring PowerClass::ReadConfigValue(const std::wstring& key) const {
    const auto lines = ReadLatin1Lines(ConfigFilePath());
    std::wstring result;
    // Every line not taken as a value is a candidate key line; the last
    // occurrence of the key wins.
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

void PowerClass::WriteConfigValue(const std::wstring& key, const std::wstring& value) const {
    CheckStorable(key, value);
    const std::wstring path = ConfigFilePath();
    std::vector<std::wstring> lines = ReadLatin1Lines(path);
    // The line just written is itself compared with the key in the next step.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == key) {
            if (i + 1 >= lines.size()) {
                // A key on the last line has no value line to replace; the
                // file has not been touched yet.
                throw InvalidArgumentError();
            }
            lines[i + 1] = value;
        }
    }
    WriteLatin1Lines(path, lines);
}

} // namespace varnholt
