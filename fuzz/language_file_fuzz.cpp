// The language file: any bytes read as sections, entry lines and the list of
// languages with its two lookups, and the choice of the section to load.
//
// Input: one byte of choices, a marker, the system's language as hex digits
// and the dialects setting (each up to a NUL byte), then the file's bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/latin1_lines.h"
#include "base/string_array.h"
#include "base/text_numbers.h"
#include "fuzz/fuzz_input.h"
#include "i18n/language_file.h"
#include "i18n/language_list.h"
#include "i18n/language_marker.h"

using namespace varnholt;
using varnholt::fuzz::InputReader;
using varnholt::fuzz::WideText;

namespace {

bool Holds(const std::vector<std::wstring>& lines, const std::wstring& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// An entry number is read from five characters, each a digit or 0.
bool IsEntryNumber(std::int32_t number) {
    return number >= 0 && number <= 99999;
}

void CheckEntryLines(const std::vector<std::wstring>& lines) {
    for (const std::wstring& line : lines) {
        const std::optional<TranslationEntry> entry = ParseEntryLine(line);
        VARNHOLT_FUZZ_CHECK(entry.has_value() == (line.size() > 4));
        if (entry) {
            VARNHOLT_FUZZ_CHECK(IsEntryNumber(entry->number));
            // The text is the line from its seventh character on.
            VARNHOLT_FUZZ_CHECK(entry->text.size() == (line.size() > 6 ? line.size() - 6 : 0));
            VARNHOLT_FUZZ_CHECK(line.ends_with(entry->text));
        }
    }
}

void CheckSection(const std::vector<std::wstring>& lines, const std::wstring& marker) {
    const std::vector<TranslationEntry> entries = ReadLanguageSection(lines, marker);
    if (!Holds(lines, marker)) {
        VARNHOLT_FUZZ_CHECK(entries.empty());
        return;
    }
    // At most one entry per line between the first header and the end line.
    const auto header = std::find(lines.begin(), lines.end(), marker);
    const auto end = std::find(header + 1, lines.end(), std::wstring(kSectionEndLine));
    VARNHOLT_FUZZ_CHECK(entries.size() <= static_cast<std::size_t>(end - header - 1));
    for (const TranslationEntry& entry : entries) {
        VARNHOLT_FUZZ_CHECK(IsEntryNumber(entry.number));
    }
}

void CheckLanguageList(const std::vector<std::wstring>& lines, const std::wstring& marker,
                       const std::wstring& name) {
    const CStringArray languages = ReadLanguageList(lines);
    VARNHOLT_FUZZ_CHECK(languages.GetSize() % 2 == 0);
    std::set<std::wstring> markers;
    std::set<std::wstring> names;
    bool unique = true;
    for (std::size_t i = 0; i < languages.GetSize(); i += 2) {
        const std::wstring& header = languages[i];
        VARNHOLT_FUZZ_CHECK(header.size() == 6 && header.front() == L'[' && Holds(lines, header));
        const bool newMarker = markers.insert(header).second;
        const bool newName = names.insert(languages[i + 1]).second;
        unique = unique && newMarker && newName;
    }

    // The lookups give a listed name or marker, or their fallback.
    const std::wstring shown = DisplayNameForMarker(languages, marker);
    VARNHOLT_FUZZ_CHECK(names.contains(shown) ||
                        (shown == kSystemDefaultLanguageName && !markers.contains(marker)));
    const std::wstring current = L"[----]";
    const std::wstring chosen = MarkerForDisplayName(languages, name, current);
    VARNHOLT_FUZZ_CHECK(markers.contains(chosen) || (chosen == current && !names.contains(name)));

    // With distinct markers and names, choosing the name shown for a marker
    // gives that marker back.
    if (unique) {
        for (const std::wstring& listed : markers) {
            VARNHOLT_FUZZ_CHECK(MarkerForDisplayName(languages,
                                                     DisplayNameForMarker(languages, listed),
                                                     current) == listed);
        }
    }
}

void CheckChoice(const std::vector<std::wstring>& lines, const std::wstring& stored,
                 const std::wstring& hex, const std::wstring& dialects) {
    std::string asked;
    LanguageMarkerSources sources;
    sources.systemLanguageHex = [&] {
        asked += 'h';
        return hex;
    };
    sources.dialects = [&] {
        asked += 'd';
        return dialects;
    };
    sources.fileHasLine = [&](const std::wstring& line) {
        asked += 'f';
        return Holds(lines, line);
    };
    const std::wstring marker = ChooseLanguageMarker(stored, sources);
    if (!stored.empty() && stored != kSystemLanguageMarker) {
        VARNHOLT_FUZZ_CHECK(marker == stored && asked.empty());
        return;
    }
    // Following the system: each source asked once, in order; the section
    // chosen is in the file, or English.
    VARNHOLT_FUZZ_CHECK(asked == "hdf");
    VARNHOLT_FUZZ_CHECK(marker == kEnglishMarker || Holds(lines, marker));
    VARNHOLT_FUZZ_CHECK(marker == LanguageMarkerFor(HexTextToInt(hex)) || marker == kGermanMarker ||
                        marker == kEnglishMarker);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputReader input(data, size);
    const std::uint8_t choice = input.Byte();
    const std::wstring ownMarker = WideText(input.Field());
    const std::wstring hex = WideText(input.Field());
    const std::wstring dialects = WideText(input.Field());
    const std::vector<std::wstring> lines = DecodeLatin1Lines(input.Rest());

    // A line of the file often is a header, and its name line a name.
    const std::size_t pick = lines.empty() ? 0 : choice % lines.size();
    const std::wstring lineMarker = lines.empty() ? std::wstring() : lines[pick];
    const std::wstring lineName = pick + 2 < lines.size() && lines[pick + 2].size() > 6
                                      ? lines[pick + 2].substr(6)
                                      : ownMarker;

    CheckEntryLines(lines);
    CheckSection(lines, ownMarker);
    CheckSection(lines, kEnglishMarker);
    CheckSection(lines, lineMarker);
    CheckLanguageList(lines, choice & 1 ? lineMarker : ownMarker, lineName);

    const std::wstring stored = choice & 2 ? ownMarker : (choice & 4 ? L"" : kSystemLanguageMarker);
    CheckChoice(lines, stored, hex, dialects);
    return 0;
}
