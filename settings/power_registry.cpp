// PowerClass: the registry text read (under HKEY_LOCAL_MACHINE), the text
// write and the value delete (under HKEY_CURRENT_USER), all on the key
// m_strRegKeyPath. A write or delete the registry refuses is raised as a
// RegistryError; the registry then stays as it was.

#include "base/errors.h"
#include "platform/registry.h"
#include "settings/power_class.h"

namespace varnholt {

namespace {

void RaiseIfRefused(RegistryChange change, const std::wstring& keyPath,
                    const std::wstring& valueName) {
    if (change == RegistryChange::Denied || change == RegistryChange::Failed) {
        throw RegistryError(L"HKEY_CURRENT_USER\\" + keyPath + L"\\" + valueName,
                            change == RegistryChange::Denied);
    }
}

} // namespace

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
    RaiseIfRefused(RegistrySet(RegistryRoot::CurrentUser, m_strRegKeyPath, valueName, kRegSz,
                               RegistryTextBytes(data)),
                   m_strRegKeyPath, valueName);
}

void PowerClass::DeleteRegistryValue(const std::wstring& valueName) const {
    // A value (or key) that is not there is already what the caller wants.
    RaiseIfRefused(RegistryDelete(RegistryRoot::CurrentUser, m_strRegKeyPath, valueName),
                   m_strRegKeyPath, valueName);
}

} // namespace varnholt
