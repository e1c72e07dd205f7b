#pragma once
// The languages the language dialog offers, read from the language file, and
// the two lookups the dialog makes between stored markers and the display
// names a person chooses from.
//
// The list holds, in file order, one section's marker, that section's display
// name, the next section's marker, its name, and so on: markers at even
// positions, names at odd positions.

#include <string>
#include <vector>

#include "base/string_array.h"

namespace varnholt {

// Shown when no listed section carries the stored marker. Not translated.
inline constexpr wchar_t kSystemDefaultLanguageName[] = L"System default language";

// A header is a line that begins with "[" and is exactly six characters long
// ("[1031]", "[----]"); a seven-character header is not listed. The display
// name is the second line after the header, from its seventh character on;
// the two lines after a header are never taken for headers themselves. A file
// that ends early gives an empty name.
CStringArray ReadLanguageList(const std::vector<std::wstring>& lines);

// The display name to select for `marker` (exact comparison; the last match
// wins), or kSystemDefaultLanguageName when no section carries it.
std::wstring DisplayNameForMarker(const CStringArray& languages, const std::wstring& marker);

// The marker of the section whose display name equals `name` exactly (case
// matters; the last match wins), or `current` when none does.
std::wstring MarkerForDisplayName(const CStringArray& languages, const std::wstring& name,
                                  const std::wstring& current);

} // namespace varnholt
