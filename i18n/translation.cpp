#include "i18n/translation.h"

#include "i18n/language_marker.h"
#include "platform/text_files.h"
#include "settings/config_file.h"
#include "settings/registry_texts.h"

namespace varnholt {

void CTranslation::LoadLanguage() {
    const std::wstring path = LanguageFilePath();
    const std::wstring stored = ReadConfigValue(ConfigKeys::kLanguage);
    const LanguageMarkerSources sources{
        [] { return ReadMachineRegistryText(kSystemLanguageKey, kSystemLanguageValue); },
        [] { return ReadConfigValue(ConfigKeys::kGermanDialects); },
        [&path](const std::wstring& line) { return FileContainsLine(path, line); },
    };
    const std::wstring marker = ChooseLanguageMarker(stored, sources);
    m_entries = ReadLanguageSection(ReadLatin1Lines(path), marker);
}

std::wstring CTranslation::GetTextOr(std::int32_t number, const wchar_t* english) const {
    std::wstring text = GetText(number);
    return text.empty() ? std::wstring(english) : text;
}

std::wstring CTranslation::GetText(std::int32_t number) const {
    for (const auto& entry : m_entries) {
        if (entry.number == number) {
            return entry.text;
        }
    }
    return std::wstring();
}

} // namespace varnholt
