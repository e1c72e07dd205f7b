#pragma once
// Full file name of the program's own executable. On Windows it comes from
// GetModuleFileNameW; on POSIX from /proc/self/exe, with every '/' turned
// into '\\' so that callers can split it at backslashes the same way on both
// systems (the POSIX file functions turn '\\' back into '/').

#include <string>

namespace varnholt {

std::wstring ProgramModuleFileName();

// The folder of the program's own executable, without a trailing backslash;
// empty for a name without a backslash. A program in a drive's root gives
// the drive ("C:").
std::wstring ProgramDirectory();

// Makes ProgramModuleFileName return `fileName` instead of the real name, so
// tests can point the program at a temporary program folder. An empty text
// restores the real name.
void SetModuleFileNameForTesting(std::wstring fileName);

} // namespace varnholt
