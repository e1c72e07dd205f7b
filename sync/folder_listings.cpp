#include "sync/folder_listings.h"

#include <iterator>

namespace varnholt {

const FolderItem* FolderContents::Find(const std::wstring& name) const {
    if (m_byKey.empty() && !m_items.empty()) {
        m_byKey.reserve(m_items.size());
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            m_byKey.emplace(FileNameKey(m_items[i].name), i);
        }
    }
    const auto found = m_byKey.find(FileNameKey(name));
    return found == m_byKey.end() ? nullptr : &m_items[found->second];
}

void FolderListings::ForgetAround(const std::wstring& folder) {
    const std::wstring key = FileNameKey(folder);
    for (auto it = m_folders.begin(); it != m_folders.end();) {
        const std::wstring& other = it->first;
        const bool below = other.size() > key.size() && other.compare(0, key.size(), key) == 0 &&
                           other[key.size()] == L'\\';
        const bool above = key.size() > other.size() && key.compare(0, other.size(), other) == 0 &&
                           key[other.size()] == L'\\';
        it = other == key || below || above ? m_folders.erase(it) : std::next(it);
    }
}

const FolderContents& FolderListings::Contents(const std::wstring& folder) {
    auto& slot = m_folders[FileNameKey(folder)];
    if (!slot) {
        slot = std::make_unique<FolderContents>();
        FolderListing listing;
        if (listing.Open(folder + L"/*")) {
            slot->m_listed = true;
            FolderItem item;
            while (listing.Next(item)) {
                if (item.name != L"." && item.name != L"..") {
                    slot->m_items.push_back(std::move(item));
                }
            }
        }
    }
    return *slot;
}

} // namespace varnholt
