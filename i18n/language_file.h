#pragma once
// The language file: single-byte text in the program directory, a sequence
// of sections. A section is a header line holding exactly a language marker,
// entry lines, and the end line "[EOL]". An entry line holds the entry number
// in its first five characters (read by TextToInt), one separator character,
// and the text from the seventh character on; lines of four characters or
// fewer are skipped.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnholt {

inline constexpr wchar_t kSectionEndLine[] = L"[EOL]";

struct TranslationEntry {
    std::int32_t number = 0;
    std::wstring text;
};

// Program directory, "\", the setting Product ID, "trl.ini".
std::wstring LanguageFilePath();

// The entry of one section line; nothing for a line of four characters or
// fewer.
std::optional<TranslationEntry> ParseEntryLine(const std::wstring& line);

// The entries of the first section whose header equals `marker`, in file
// order, duplicates kept. Reading stops at "[EOL]" or at the end of the
// lines: a missing header gives no entries, a missing end line keeps what
// was read.
std::vector<TranslationEntry> ReadLanguageSection(const std::vector<std::wstring>& lines,
                                                  const std::wstring& marker);

} // namespace varnholt
