#include "schedule/autostart.h"

#include "base/errors.h"

namespace varnholt {

std::wstring AutostartCommand(const std::wstring& programDirectory) {
    return L"\"" + programDirectory + L"\\" + kLauncherFileName + L"\"";
}

std::wstring OptionsWithAutostart(const std::wstring& options, bool on) {
    if (options.size() < 2) {
        throw InvalidArgumentError();
    }
    std::wstring changed = options;
    changed[1] = on ? L'1' : L'0';
    return changed;
}

} // namespace varnholt
