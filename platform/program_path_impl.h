#pragma once
// The system's answer for the executable's file name, one implementation per
// platform (program_path_win32.cpp, program_path_posix.cpp).

#include <string>

namespace varnholt {

std::wstring RealModuleFileName();

} // namespace varnholt
