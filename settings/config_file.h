#pragma once
// The settings file config.ini in the program folder: a plain sequence of
// single-byte lines, the line after a key line being that key's value
// (settings/config_lines.h). Nothing is cached: every read reads the whole
// file, every write replaces it whole through a fail-safe write.

#include <string>

#include "settings/config_keys.h"

namespace varnholt {

// The program folder followed by "\config.ini".
std::wstring ConfigFilePath();

// The value of `key`, empty when it is absent. Raises FileError when the file
// cannot be read ("...\config.ini was not found.").
std::wstring ReadConfigValue(ConfigKey key);

// Sets the value after every key line of `key`; an absent key changes
// nothing. A value that could not be read back as written is refused before
// the file is touched (InvalidArgumentError); a failed write leaves the old
// file whole (FileError).
void WriteConfigValue(ConfigKey key, const std::wstring& value);

} // namespace varnholt
