#pragma once
// Choice of the language section to load. A marker is "[", a decimal Windows
// language identifier, "]"; "[----]" means "follow the system's language".

#include <cstdint>
#include <functional>
#include <string>

namespace varnholt {

inline constexpr wchar_t kSystemLanguageMarker[] = L"[----]";
inline constexpr wchar_t kEnglishMarker[] = L"[1033]";
inline constexpr wchar_t kGermanMarker[] = L"[1031]";
// Registry key (under HKEY_LOCAL_MACHINE) and value holding the system's
// default language identifier as four hexadecimal digits.
inline constexpr wchar_t kSystemLanguageKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Language";
inline constexpr wchar_t kSystemLanguageValue[] = L"Default";

// "[%d]".
std::wstring LanguageMarkerFor(std::int32_t languageId);

// Where the choice looks, asked only when the system's language is followed
// and in this order.
struct LanguageMarkerSources {
    std::function<std::wstring()> systemLanguageHex;      // registry value "Default"
    std::function<std::wstring()> dialects;               // setting Dialects[1031]
    std::function<bool(const std::wstring&)> fileHasLine; // the language file holds the line
};

// A stored marker is used as it is. "[----]", and an empty value (no choice
// stored), follow the system: its language identifier as a marker, turned
// into "[1031]" when the dialects setting names it, and "[1033]" when the
// language file has no such header line.
std::wstring ChooseLanguageMarker(const std::wstring& stored, const LanguageMarkerSources& sources);

} // namespace varnholt
