#include "settings/config_file.h"

#include "platform/program_path.h"
#include "platform/text_files.h"
#include "settings/config_lines.h"

namespace varnholt {

std::wstring ConfigFilePath() {
    return ProgramDirectory() + L"\\config.ini";
}

std::wstring ReadConfigValue(ConfigKey key) {
    return ConfigValueIn(ReadLatin1Lines(ConfigFilePath()), key.String());
}

void WriteConfigValue(ConfigKey key, const std::wstring& value) {
    CheckStorableValue(key.String(), value);
    const std::wstring path = ConfigFilePath();
    WriteLatin1Lines(path, WithConfigValue(ReadLatin1Lines(path), key.String(), value));
}

} // namespace varnholt
