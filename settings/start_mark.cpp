#include "settings/start_mark.h"

#include "settings/config_file.h"

namespace varnholt {

namespace {

constexpr wchar_t kAutomaticStart[] = L"automatically";
constexpr wchar_t kManualStart[] = L"manually";

} // namespace

void MarkStartAtLogon(bool atLogon) {
    WriteConfigValue(ConfigKeys::kStartup, atLogon ? kAutomaticStart : kManualStart);
}

bool TakeStartAtLogonMark() {
    if (ReadConfigValue(ConfigKeys::kStartup) != kAutomaticStart) {
        return false;
    }
    WriteConfigValue(ConfigKeys::kStartup, kManualStart);
    return true;
}

} // namespace varnholt
