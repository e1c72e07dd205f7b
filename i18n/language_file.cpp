#include "i18n/language_file.h"
#include "base/text_numbers.h"

#include <algorithm>

#include "platform/program_path.h"
#include "settings/config_file.h"

namespace varnholt {

std::wstring LanguageFilePath() {
    return ProgramDirectory() + L"\\" + ReadConfigValue(ConfigKeys::kProductId) + L"trl.ini";
}

std::optional<TranslationEntry> ParseEntryLine(const std::wstring& line) {
    if (line.size() <= 4) {
        return std::nullopt;
    }
    TranslationEntry entry;
    entry.number = TextToInt(line.substr(0, 5));
    if (line.size() > 6) {
        entry.text = line.substr(6);
    }
    return entry;
}

std::vector<TranslationEntry> ReadLanguageSection(const std::vector<std::wstring>& lines,
                                                  const std::wstring& marker) {
    std::vector<TranslationEntry> entries;
    auto line = std::find(lines.begin(), lines.end(), marker);
    if (line == lines.end()) {
        return entries;
    }
    for (++line; line != lines.end() && *line != kSectionEndLine; ++line) {
        if (auto entry = ParseEntryLine(*line)) {
            entries.push_back(std::move(*entry));
        }
    }
    return entries;
}

} // namespace varnholt
