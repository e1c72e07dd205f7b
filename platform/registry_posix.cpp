// POSIX stand-in for the registry: a store inside the process, so that the
// registry logic above it can be tested natively. Nothing is kept on disk.

#include <map>
#include <mutex>
#include <tuple>

#include "platform/registry.h"

namespace varnholt {

namespace {

using Key = std::tuple<RegistryRoot, std::wstring, std::wstring>;

std::wstring Fold(const std::wstring& text) {
    std::wstring out = text;
    for (auto& c : out) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return out;
}

struct Store {
    std::mutex lock;
    std::map<Key, RegistryValue> values;
};

Store& TheStore() {
    static Store store;
    return store;
}

} // namespace

std::optional<RegistryValue> RegistryQuery(RegistryRoot root, const std::wstring& keyPath,
                                           const std::wstring& valueName) {
    Store& store = TheStore();
    std::lock_guard guard(store.lock);
    const auto found = store.values.find(Key(root, Fold(keyPath), Fold(valueName)));
    if (found == store.values.end()) {
        return std::nullopt;
    }
    return found->second;
}

RegistryChange RegistrySet(RegistryRoot root, const std::wstring& keyPath,
                           const std::wstring& valueName, std::uint32_t type,
                           const std::vector<std::uint8_t>& data) {
    Store& store = TheStore();
    std::lock_guard guard(store.lock);
    store.values[Key(root, Fold(keyPath), Fold(valueName))] = RegistryValue{type, data};
    return RegistryChange::Done;
}

RegistryChange RegistryDelete(RegistryRoot root, const std::wstring& keyPath,
                              const std::wstring& valueName) {
    Store& store = TheStore();
    std::lock_guard guard(store.lock);
    return store.values.erase(Key(root, Fold(keyPath), Fold(valueName))) > 0
               ? RegistryChange::Done
               : RegistryChange::NotThere;
}

} // namespace varnholt
