#pragma once
// Path conversion for the POSIX implementations of the platform layer: the
// program's paths are wide texts with backslashes, POSIX wants UTF-8 with '/'.

#include <string>

namespace varnholt {

// '\\' becomes '/', the text is encoded as UTF-8.
std::string NativePath(const std::wstring& path);
// UTF-8 decoded (invalid bytes become U+FFFD), '/' becomes '\\'.
std::wstring WidePath(const std::string& path);

} // namespace varnholt
