#pragma once
// The website command opens the Homepage setting only when it is a web
// address. The settings file is plain text anyone can edit; handed to the
// shell unchecked, a program path or a document there would be started.

#include <string>

namespace varnholt {

// True for "http://" or "https://" (any letter case in the scheme) followed
// by at least one character.
bool IsWebAddress(const std::wstring& text);

} // namespace varnholt
