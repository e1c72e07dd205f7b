// PowerClass: the settings file config.ini in the program directory. A plain
// sequence of single-byte lines; the line after a key line is that key's
// value. Nothing is cached: every read scans the file, every write rewrites it.

#include "platform/text_files.h"
#include "settings/config_lines.h"
#include "settings/power_class.h"

namespace varnholt {

std::wstring PowerClass::ConfigFilePath() const {
    return GetProgramDirectory() + L"\\config.ini";
}

std::wstring PowerClass::ReadConfigValue(const std::wstring& key) const {
    return ConfigValueIn(ReadLatin1Lines(ConfigFilePath()), key);
}

void PowerClass::WriteConfigValue(const std::wstring& key, const std::wstring& value) const {
    // Refused before the file is touched.
    CheckStorableValue(key, value);
    const std::wstring path = ConfigFilePath();
    WriteLatin1Lines(path, WithConfigValue(ReadLatin1Lines(path), key, value));
}

} // namespace varnholt
