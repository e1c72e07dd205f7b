#pragma once
// The settings file's rules on its lines, apart from the file: a key line is
// followed by its value line; every line not taken as a value is a candidate
// key line; the last occurrence of a key wins on reading, and a write
// replaces the value after every occurrence.

#include <string>
#include <vector>

namespace varnholt {

// The value of `key`: the line after its last key line, empty when the key is
// absent or stands on the last line.
std::wstring ConfigValueIn(const std::vector<std::wstring>& lines, const std::wstring& key);

// Raises InvalidArgumentError, naming the key, for a value that could not be
// read back as written: a character without a single-byte form, a line
// break, or the byte 1A that ends the text.
void CheckStorableValue(const std::wstring& key, const std::wstring& value);

// `lines` with the value line after every key line of `key` set to `value`
// (a key that is absent changes nothing). Raises InvalidArgumentError when a
// key line is the last line: it has no value line to replace.
std::vector<std::wstring> WithConfigValue(std::vector<std::wstring> lines, const std::wstring& key,
                                          const std::wstring& value);

} // namespace varnholt
