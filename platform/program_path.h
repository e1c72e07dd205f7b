#pragma once
// Full file name of the program's own executable. On Windows it comes from
// GetModuleFileNameW; on POSIX from /proc/self/exe, with every '/' turned
// into '\\' so that callers can split it at backslashes the same way on both
// systems (the POSIX file functions turn '\\' back into '/').

#include <string>

namespace varnholt {

std::wstring ProgramModuleFileName();

// Makes ProgramModuleFileName return `fileName` instead of the real name, so
// tests can point the program at a temporary program folder. An empty text
// restores the real name.
void SetModuleFileNameForTesting(std::wstring fileName);

} // namespace varnholt
