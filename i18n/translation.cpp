#include "i18n/translation.h"

#include "i18n/language_marker.h"
#include "platform/text_files.h"

namespace varnholt {

void CTranslation::LoadLanguage() {
    const std::wstring path = LanguageFilePath(m_power);
    const std::wstring stored = m_power.ReadConfigValue(ConfigKeys::kLanguage);
    const LanguageMarkerSources sources{
        [this] {
            m_power.m_strRegKeyPath = kSystemLanguageKey;
            return m_power.ReadRegistryText(kSystemLanguageValue);
        },
        [this] { return m_power.ReadConfigValue(ConfigKeys::kGermanDialects); },
        [&path](const std::wstring& line) { return PowerClass::FileContainsLine(path, line); },
    };
    const std::wstring marker = ChooseLanguageMarker(stored, sources);
    m_entries = ReadLanguageSection(ReadLatin1Lines(path), marker);
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
