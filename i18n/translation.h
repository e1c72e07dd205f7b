#pragma once
// CTranslation: the translation catalogue. It holds the numbered texts of one
// language section of the language file and hands them out by number.

#include <cstdint>
#include <string>
#include <vector>

#include "i18n/language_file.h"

namespace varnholt {

class CTranslation {
public:
    CTranslation() = default;
    virtual ~CTranslation() = default;

    // Chooses the language marker (setting Language; "[----]" or an empty
    // value follows the system's language), reads that section of the
    // language file and replaces the catalogue's contents with it. Raises
    // FileError when the language file cannot be read; the old contents then
    // stay.
    void LoadLanguage();

    // The text of the first entry with this number, in file order; the empty
    // text when the loaded section has no such entry.
    std::wstring GetText(std::int32_t number) const;
    // The entry, or `english` when the language file lacks it (a text added
    // after the file was translated).
    std::wstring GetTextOr(std::int32_t number, const wchar_t* english) const;

    // The loaded entries, in file order.
    const std::vector<TranslationEntry>& Entries() const noexcept { return m_entries; }

private:
    std::vector<TranslationEntry> m_entries;
};

} // namespace varnholt
