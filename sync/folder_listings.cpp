#include "sync/folder_listings.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <iterator>
#include <limits>
#include <stdexcept>

namespace varnholt {

namespace {

constexpr std::uint8_t kFolderFlag = 1;
constexpr std::uint8_t kLinkFlag = 2;
// Up to this many entries, Find compares the tags one by one; a larger
// folder gets a table.
constexpr std::size_t kLinearLimit = 16;

std::size_t KeyHash(const std::wstring& key) {
    return std::hash<std::wstring_view>{}(key);
}

// The tag takes the top bits of the hash, the table's slot the low ones.
std::uint8_t Tag(std::size_t hash) {
    return static_cast<std::uint8_t>(hash >> (std::numeric_limits<std::size_t>::digits - 8));
}

} // namespace

ListedItem FolderContents::Item(std::size_t index) const noexcept {
    const Entry& entry = m_entries[index];
    return {std::wstring_view(m_names.get() + entry.nameStart, entry.nameLength),
            (entry.flags & kFolderFlag) != 0, (entry.flags & kLinkFlag) != 0, entry.lastWrite,
            entry.size};
}

std::size_t FolderContents::Slot(std::size_t hash) const noexcept {
    return hash & (m_table.size() - 1);
}

// Tags every entry with its key's hash and, for a large folder, places the
// entries in the table in listing order, so that of two names with the same
// key (a file system that tells letter case apart) the first listed is found.
void FolderContents::Index() const {
    if (m_count > kLinearLimit) {
        m_table.assign(std::bit_ceil(std::size_t{m_count} * 2), 0);
    }
    for (std::uint32_t i = 0; i < m_count; ++i) {
        // The entries are the listing's own storage; only the tags change.
        Entry& entry = m_entries[i];
        const std::size_t hash =
            KeyHash(FileNameKey(std::wstring(m_names.get() + entry.nameStart, entry.nameLength)));
        entry.tag = Tag(hash);
        if (!m_table.empty()) {
            std::size_t slot = Slot(hash);
            while (m_table[slot] != 0) {
                slot = Slot(slot + 1);
            }
            m_table[slot] = i + 1;
        }
    }
    m_indexed = true;
}

bool FolderContents::Find(std::wstring_view name, ListedItem& found) const {
    if (m_count == 0) {
        return false;
    }
    if (!m_indexed) {
        Index();
    }
    const std::wstring key = FileNameKey(std::wstring(name));
    const std::size_t hash = KeyHash(key);
    const std::uint8_t tag = Tag(hash);
    // A name spelt alike has the same key; only another spelling needs its key made.
    const auto matches = [&](std::size_t index) {
        const Entry& entry = m_entries[index];
        if (entry.tag != tag) {
            return false;
        }
        const std::wstring_view listed(m_names.get() + entry.nameStart, entry.nameLength);
        return listed == name || FileNameKey(std::wstring(listed)) == key;
    };
    if (m_table.empty()) {
        for (std::size_t i = 0; i < m_count; ++i) {
            if (matches(i)) {
                found = Item(i);
                return true;
            }
        }
        return false;
    }
    for (std::size_t slot = Slot(hash); m_table[slot] != 0; slot = Slot(slot + 1)) {
        if (matches(m_table[slot] - 1)) {
            found = Item(m_table[slot] - 1);
            return true;
        }
    }
    return false;
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
    const auto [place, added] = m_folders.try_emplace(FileNameKey(folder));
    FolderContents& contents = place->second;
    if (!added) {
        return contents;
    }
    FolderListing listing;
    if (!listing.Open(folder + L"/*")) {
        return contents;
    }
    // Read into the reused buffers, then kept in arrays of the exact size.
    m_entries.clear();
    m_names.clear();
    while (listing.Next(m_item)) {
        if (m_item.name == L"." || m_item.name == L"..") {
            continue;
        }
        // File systems allow names of 255 characters; the limits here are far beyond.
        if (m_item.name.size() > std::numeric_limits<std::uint16_t>::max() ||
            m_names.size() + m_item.name.size() > std::numeric_limits<std::uint32_t>::max()) {
            throw std::length_error("folder listing too large");
        }
        m_entries.push_back({m_item.lastWrite, m_item.size,
                             static_cast<std::uint32_t>(m_names.size()),
                             static_cast<std::uint16_t>(m_item.name.size()),
                             static_cast<std::uint8_t>((m_item.isFolder ? kFolderFlag : 0) |
                                                       (m_item.isLink ? kLinkFlag : 0)),
                             0});
        m_names += m_item.name;
    }
    contents.m_listed = true;
    contents.m_count = static_cast<std::uint32_t>(m_entries.size());
    if (!m_entries.empty()) {
        contents.m_entries =
            std::make_unique_for_overwrite<FolderContents::Entry[]>(m_entries.size());
        std::copy(m_entries.begin(), m_entries.end(), contents.m_entries.get());
        contents.m_names = std::make_unique_for_overwrite<wchar_t[]>(m_names.size());
        std::copy(m_names.begin(), m_names.end(), contents.m_names.get());
    }
    return contents;
}

} // namespace varnholt
