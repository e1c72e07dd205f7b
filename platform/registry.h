#pragma once
// The few registry operations the program needs: query one value, set one
// value (creating the key), delete one value. Keys are paths below a fixed
// root, as the Win32 registry calls take them.
//
// On Windows these are the Win32 registry calls. POSIX has no registry: there
// the functions work on a store inside the process (empty at start, gone at
// exit), so that the logic built on them can be tested natively. Key paths
// and value names compare without regard to ASCII letter case, as Windows
// compares them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnholt {

enum class RegistryRoot { LocalMachine, CurrentUser };

// Value types, with the numbers Windows gives them.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

struct RegistryValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data; // exactly as stored, any size
};

// The value's type and data, however long; nothing when the key cannot be
// opened for querying or has no such value.
std::optional<RegistryValue> RegistryQuery(RegistryRoot root, const std::wstring& keyPath,
                                           const std::wstring& valueName);

// What a change of the registry came to.
enum class RegistryChange {
    Done,
    NotThere, // a value to delete, or its key, does not exist: nothing to do
    Denied,   // the key's security refuses the change
    Failed,   // any other refusal
};

// Creates the key when it does not exist and sets the value.
RegistryChange RegistrySet(RegistryRoot root, const std::wstring& keyPath,
                           const std::wstring& valueName, std::uint32_t type,
                           const std::vector<std::uint8_t>& data);

// Deletes the value from an existing key.
RegistryChange RegistryDelete(RegistryRoot root, const std::wstring& keyPath,
                              const std::wstring& valueName);

// REG_SZ data: the text as UTF-16 little-endian code units and a terminating
// null.
std::vector<std::uint8_t> RegistryTextBytes(const std::wstring& text);
// The text of REG_SZ data: size / 2 UTF-16 code units (an odd last byte is
// ignored), up to the first null if there is one.
std::wstring RegistryBytesText(const std::vector<std::uint8_t>& data);

} // namespace varnholt
