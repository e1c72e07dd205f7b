// Registry access through the Win32 registry calls.

#include <windows.h>

#include "platform/handles.h"
#include "platform/registry.h"

namespace varnholt {

namespace {

RegistryChange Outcome(LSTATUS status) {
    switch (status) {
    case ERROR_SUCCESS:
        return RegistryChange::Done;
    case ERROR_FILE_NOT_FOUND:
        return RegistryChange::NotThere;
    case ERROR_ACCESS_DENIED:
        return RegistryChange::Denied;
    default:
        return RegistryChange::Failed;
    }
}

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

} // namespace

std::optional<RegistryValue> RegistryQuery(RegistryRoot root, const std::wstring& keyPath,
                                           const std::wstring& valueName) {
    UniqueKey key;
    if (RegOpenKeyExW(RootKey(root), keyPath.c_str(), 0, KEY_QUERY_VALUE, key.put()) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // Ask again with the size the system reports for as long as it needs more
    // room: the value may grow between two calls.
    RegistryValue value;
    value.data.resize(256);
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(value.data.size());
        const LSTATUS status = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type,
                                                value.data.data(), &size);
        if (status == ERROR_MORE_DATA) {
            value.data.resize(size > value.data.size() ? size : value.data.size() * 2);
            continue;
        }
        if (status != ERROR_SUCCESS) {
            return std::nullopt;
        }
        value.type = type;
        value.data.resize(size);
        return value;
    }
}

RegistryChange RegistrySet(RegistryRoot root, const std::wstring& keyPath,
                           const std::wstring& valueName, std::uint32_t type,
                           const std::vector<std::uint8_t>& data) {
    UniqueKey key;
    LSTATUS status =
        RegCreateKeyExW(RootKey(root), keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, key.put(), nullptr);
    if (status == ERROR_SUCCESS) {
        status = RegSetValueExW(key.get(), valueName.c_str(), 0, type, data.data(),
                                static_cast<DWORD>(data.size()));
    }
    return Outcome(status);
}

RegistryChange RegistryDelete(RegistryRoot root, const std::wstring& keyPath,
                              const std::wstring& valueName) {
    UniqueKey key;
    LSTATUS status = RegOpenKeyExW(RootKey(root), keyPath.c_str(), 0, KEY_SET_VALUE, key.put());
    if (status == ERROR_SUCCESS) {
        status = RegDeleteValueW(key.get(), valueName.c_str());
    }
    return Outcome(status);
}

} // namespace varnholt
