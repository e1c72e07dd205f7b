#pragma once
// Paths to the host-side fixtures (fixtures.sh), as Windows paths on Wine's
// Z: drive, which maps the host's root folder.

#include <cstdlib>
#include <string>

namespace varnholt::test {

// Z:\...\fixtures\<name>; empty when the fixture folder was not given.
inline std::wstring HostFixturePath(const std::wstring& name) {
    const char* dir = std::getenv("VARNHOLT_SYNC_FIXTURES");
    if (dir == nullptr || *dir != '/') {
        return std::wstring();
    }
    std::wstring path = L"Z:";
    for (const char* c = dir; *c != '\0'; ++c) {
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
    }
    return path + L"\\" + name;
}

} // namespace varnholt::test
