#pragma once
// The stored form of the folder lists (Folders1, Folders2): every entry
// followed by "*", the last one included; the empty list is the empty value.
//
// The settings file holds one byte per character (ISO 8859-1), so characters
// that it cannot hold are written as "<" + four lower-case hex digits + ">",
// one such group per UTF-16 code unit (a character above U+FFFF becomes two
// groups, its surrogate pair). The same form is used for "<" itself, for "*"
// (the separator) and for control characters (line ends and Ctrl+Z would cut
// the settings file); none of these can occur in a Windows path, so every
// path that Windows allows is stored exactly as before, and decoding gives
// back the text that was encoded. A "<" not followed by four lower-case hex
// digits and ">" stays as it is.

#include <string>

#include "base/string_array.h"

namespace varnholt {

// One entry in its stored form (without the "*").
std::wstring EncodeStoredEntry(const std::wstring& entry);
// The inverse of EncodeStoredEntry.
std::wstring DecodeStoredEntry(const std::wstring& stored);

// Joins the entries, each encoded and followed by "*".
std::wstring EncodeFolderListValue(const CStringArray& entries);

// Splits a stored value: while the remaining text is longer than one
// character, the entry is the text before the first "*", and it and the "*"
// are dropped from the front. A lone character left at the end adds nothing;
// text longer than that with no "*" left (which the program never writes)
// counts as one entry. Each entry is decoded.
CStringArray DecodeFolderListValue(const std::wstring& value);

// The value without its last entry: everything after the second-to-last "*"
// is cut; a value holding one entry becomes empty.
std::wstring DropLastStoredEntry(const std::wstring& value);

} // namespace varnholt
