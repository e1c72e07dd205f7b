#include "i18n/language_list.h"

namespace varnholt {

namespace {

constexpr std::size_t kHeaderLength = 6;
constexpr std::size_t kNameStart = 6;

bool IsHeader(const std::wstring& line) {
    return line.size() == kHeaderLength && line.front() == L'[';
}

} // namespace

CStringArray ReadLanguageList(const std::vector<std::wstring>& lines) {
    CStringArray languages;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!IsHeader(lines[i])) {
            continue;
        }
        languages.Add(lines[i]);
        const std::size_t nameLine = i + 2;
        std::wstring name;
        if (nameLine < lines.size() && lines[nameLine].size() > kNameStart) {
            name = lines[nameLine].substr(kNameStart);
        }
        languages.Add(std::move(name));
        // Scanning goes on after the display-name line.
        i = nameLine;
    }
    return languages;
}

std::wstring DisplayNameForMarker(const CStringArray& languages, const std::wstring& marker) {
    std::wstring selection = kSystemDefaultLanguageName;
    for (std::size_t i = 0; i + 1 < languages.GetSize(); i += 2) {
        if (languages[i] == marker) {
            selection = languages[i + 1];
        }
    }
    return selection;
}

std::wstring MarkerForDisplayName(const CStringArray& languages, const std::wstring& name,
                                  const std::wstring& current) {
    std::wstring marker = current;
    for (std::size_t i = 0; i + 1 < languages.GetSize(); i += 2) {
        if (languages[i + 1] == name) {
            marker = languages[i];
        }
    }
    return marker;
}

} // namespace varnholt
