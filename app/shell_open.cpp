#include "app/shell_open.h"

#include <shellapi.h>

#include <utility>

namespace varnholt {

namespace {

void RealShellOpen(HWND owner, const std::wstring& target) {
    ::ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

ShellOpenFunction g_shellOpen = &RealShellOpen;

} // namespace

void ShellOpen(HWND owner, const std::wstring& target) {
    g_shellOpen(owner, target);
}

ShellOpenFunction SetShellOpenForTesting(ShellOpenFunction function) {
    return std::exchange(g_shellOpen, function != nullptr ? function : &RealShellOpen);
}

} // namespace varnholt
