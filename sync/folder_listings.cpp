#include "sync/folder_listings.h"

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
