#include "settings/config_file.h"

#include "platform/program_path.h"
#include "platform/text_files.h"
#include "settings/config_lines.h"

namespace varnholt {

std::wstring ConfigFilePath() {
    return ProgramDirectory() + L"\\config.ini";
}

std::wstring ReadConfigValue(const std::wstring& key) {
    return ConfigValueIn(ReadLatin1Lines(ConfigFilePath()), key);
}

void WriteConfigValue(const std::wstring& key, const std::wstring& value) {
    CheckStorableValue(key, value);
    const std::wstring path = ConfigFilePath();
    WriteLatin1Lines(path, WithConfigValue(ReadLatin1Lines(path), key, value));
}

} // namespace varnholt
