// PowerClass: the registry text read (under HKEY_LOCAL_MACHINE), the text
// write and the value delete (under HKEY_CURRENT_USER), all on the key
// m_strRegKeyPath. The write and the delete report nothing.

#include "platform/registry.h"
#include "settings/power_class.h"

namespace varnholt {

std::wstring PowerClass::ReadRegistryText(const std::wstring& valueName) const {
    if (m_strRegKeyPath.empty()) {
        return L"Registry key was not found :-( ";
    }
    const auto value = RegistryQuery(RegistryRoot::LocalMachine, m_strRegKeyPath, valueName);
    // A key that cannot be opened, a missing value and an empty one give the
    // empty text, which names no language section.
    if (!value || value->data.empty()) {
        return std::wstring();
    }
    if (value->type != kRegSz) {
        return L"No REG_SZ";
    }
    return RegistryBytesText(value->data);
}

void PowerClass::WriteRegistryText(const std::wstring& valueName, const std::wstring& data) const {
    RegistrySet(RegistryRoot::CurrentUser, m_strRegKeyPath, valueName, kRegSz,
                RegistryTextBytes(data));
}

void PowerClass::DeleteRegistryValue(const std::wstring& valueName) const {
    RegistryDelete(RegistryRoot::CurrentUser, m_strRegKeyPath, valueName);
}

} // namespace varnholt
