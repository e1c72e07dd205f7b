#pragma once
// Texts in the registry, as the program uses them: the system's language is
// read under HKEY_LOCAL_MACHINE, the autostart entry is written and deleted
// under HKEY_CURRENT_USER.

#include <string>

namespace varnholt {

// A REG_SZ value under HKEY_LOCAL_MACHINE\keyPath. An empty key path gives
// "Registry key was not found :-( " (with its blank) without touching the
// registry; a value of another type "No REG_SZ"; a missing key or value, or
// an empty one, the empty text.
std::wstring ReadMachineRegistryText(const std::wstring& keyPath, const std::wstring& valueName);

// Creates or sets a REG_SZ value under HKEY_CURRENT_USER\keyPath (the key is
// created when missing). Raises RegistryError when the registry refuses.
void WriteUserRegistryText(const std::wstring& keyPath, const std::wstring& valueName,
                           const std::wstring& data);

// Deletes a value under HKEY_CURRENT_USER\keyPath; a value or key that is not
// there is no error. Raises RegistryError when the registry refuses.
void DeleteUserRegistryValue(const std::wstring& keyPath, const std::wstring& valueName);

} // namespace varnholt
