#include "i18n/language_marker.h"
#include "base/text_numbers.h"

namespace varnholt {

std::wstring LanguageMarkerFor(std::int32_t languageId) {
    return L"[" + std::to_wstring(languageId) + L"]";
}

std::wstring ChooseLanguageMarker(const std::wstring& stored,
                                  const LanguageMarkerSources& sources) {
    // An empty value would otherwise match the first empty line of the file
    // and load whatever follows it as entries.
    if (stored != kSystemLanguageMarker && !stored.empty()) {
        return stored;
    }
    std::wstring marker = LanguageMarkerFor(HexTextToInt(sources.systemLanguageHex()));
    if (sources.dialects().find(marker) != std::wstring::npos) {
        marker = kGermanMarker;
    }
    if (!sources.fileHasLine(marker)) {
        marker = kEnglishMarker;
    }
    return marker;
}

} // namespace varnholt
