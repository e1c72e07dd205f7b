#include "settings/registry_texts.h"

#include "base/errors.h"
#include "platform/registry.h"

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

std::wstring ReadMachineRegistryText(const std::wstring& keyPath, const std::wstring& valueName) {
    if (keyPath.empty()) {
        return L"Registry key was not found :-( ";
    }
    const auto value = RegistryQuery(RegistryRoot::LocalMachine, keyPath, valueName);
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

void WriteUserRegistryText(const std::wstring& keyPath, const std::wstring& valueName,
                           const std::wstring& data) {
    RaiseIfRefused(
        RegistrySet(RegistryRoot::CurrentUser, keyPath, valueName, kRegSz, RegistryTextBytes(data)),
        keyPath, valueName);
}

void DeleteUserRegistryValue(const std::wstring& keyPath, const std::wstring& valueName) {
    RaiseIfRefused(RegistryDelete(RegistryRoot::CurrentUser, keyPath, valueName), keyPath,
                   valueName);
}

} // namespace varnholt
