#pragma once
// The autostart entry: a value under the current user's Run key that makes
// Windows start the launcher Tovrinel.exe from the program folder at logon.
// Whether it is wanted is kept in the second character of Options.

#include <string>

namespace varnholt {

inline constexpr wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Varnholt";
inline constexpr wchar_t kLauncherFileName[] = L"Tovrinel.exe";
// The program the launcher starts from the same folder.
inline constexpr wchar_t kProgramFileName[] = L"Varnholt.exe";

// The command Windows runs: the launcher's full path in double quotes. A
// path with blanks unquoted ("C:\Program Files\...") would make Windows try
// "C:\Program.exe" first.
std::wstring AutostartCommand(const std::wstring& programDirectory);

// Options with its second character set to "1" (on) or "0" (off) and every
// other character kept. Raises InvalidArgumentError when the value has no
// second character.
std::wstring OptionsWithAutostart(const std::wstring& options, bool on);

} // namespace varnholt
