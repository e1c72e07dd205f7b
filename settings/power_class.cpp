// PowerClass: the facade the windows use. Every operation forwards to the
// function that does the work in the folder of its job; the object's only
// state is the registry key path.

#include "settings/power_class.h"

#include "base/text_numbers.h"
#include "platform/file_times.h"
#include "platform/program_path.h"
#include "platform/text_files.h"
#include "settings/config_file.h"
#include "settings/registry_texts.h"
#include "sync/compared_time.h"
#include "sync/minute_number.h"
#include "sync/safe_copy.h"

namespace varnholt {

std::wstring PowerClass::GetProgramDirectory() const {
    return ProgramDirectory();
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
    return ::varnholt::FileContainsLine(path, line);
}

std::wstring PowerClass::ConfigFilePath() const {
    return ::varnholt::ConfigFilePath();
}

std::wstring PowerClass::ReadConfigValue(ConfigKey key) const {
    return ::varnholt::ReadConfigValue(key);
}

void PowerClass::WriteConfigValue(ConfigKey key, const std::wstring& value) const {
    ::varnholt::WriteConfigValue(key, value);
}

std::wstring PowerClass::ReadRegistryText(const std::wstring& valueName) const {
    return ReadMachineRegistryText(m_strRegKeyPath, valueName);
}

void PowerClass::WriteRegistryText(const std::wstring& valueName, const std::wstring& data) const {
    WriteUserRegistryText(m_strRegKeyPath, valueName, data);
}

void PowerClass::DeleteRegistryValue(const std::wstring& valueName) const {
    DeleteUserRegistryValue(m_strRegKeyPath, valueName);
}

std::int32_t PowerClass::DateToMinutes(const std::wstring& year, const std::wstring& month,
                                       const std::wstring& day, const std::wstring& hour,
                                       const std::wstring& minute) {
    return MinuteNumber(::varnholt::TextToInt(year), ::varnholt::TextToInt(month),
                        ::varnholt::TextToInt(day), ::varnholt::TextToInt(hour),
                        ::varnholt::TextToInt(minute));
}

bool PowerClass::PathExists(const std::wstring& path) {
    // Paths too long to take part in a run have no entry here either.
    return path.size() < kMaxStatusPathLength && QueryFileStatus(path).exists;
}

int PowerClass::ShellCopyFile(const std::wstring& from, const std::wstring& to) {
    SafeCopyFile(from, to);
    return 0;
}

} // namespace varnholt
