#pragma once
// The folder listings of one run. Each folder is listed once, with the times
// of its entries, and the listing is kept, so that the second pass lists
// again only what the first pass copied into. A listing is trusted only while
// nothing has been copied into its folder since it was made: before copies
// go into a folder, ForgetAround() drops the listings they can change.
//
// A run keeps the listings of both folders of every pair until it ends:
// for a pair of 200,000 files a side, 400,000 entries. So a listing keeps
// its entries in one array and all their names in one string, and finds a
// name through 8 bits of its key's hash kept in each entry (and, in a large
// folder, a table of entry numbers), not through a map holding a copy of
// every name's key.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/folders.h"

namespace varnholt {

// One entry of a kept listing. The name lies in the listing and is valid as
// long as the listing is kept.
struct ListedItem {
    std::wstring_view name;
    bool isFolder = false; // the entry has the folder attribute (links to folders too)
    bool isLink = false;   // a link, junction or other reparse point
    std::int64_t lastWrite = kUnixEpochFileTime;
    std::uint64_t size = 0;
};

class FolderContents {
public:
    // False when the folder is missing or cannot be listed.
    bool Listed() const noexcept { return m_listed; }
    // The number of entries, "." and ".." left out.
    std::size_t Count() const noexcept { return m_count; }
    // Entry `index`, in the order the file system returned them.
    ListedItem Item(std::size_t index) const noexcept;
    // The entry the file system takes for `name` (FileNameKey), or false.
    bool Find(std::wstring_view name, ListedItem& found) const;

private:
    friend class FolderListings;
    struct Entry {
        std::int64_t lastWrite;
        std::uint64_t size;
        std::uint32_t nameStart; // in m_names
        std::uint16_t nameLength;
        std::uint8_t flags;
        std::uint8_t tag; // 8 bits of the hash of the name's key, once Find has run
    };

    std::size_t Slot(std::size_t hash) const noexcept;
    void Index() const;

    bool m_listed = false;
    std::uint32_t m_count = 0;
    std::unique_ptr<Entry[]> m_entries;
    std::unique_ptr<wchar_t[]> m_names;
    // Made on the first Find: the tags, and for a large folder a table of
    // entry numbers (plus one; 0 is a free slot) placed by the hash.
    mutable bool m_indexed = false;
    mutable std::vector<std::uint32_t> m_table;
};

class FolderListings {
public:
    // The contents of `folder` (a path without a trailing backslash), listed
    // now or earlier in this run. The reference stays valid until the
    // listing is dropped (Forget, ForgetAround).
    const FolderContents& Contents(const std::wstring& folder);
    // Drops every listing: the next request lists afresh.
    void Forget() noexcept { m_folders.clear(); }
    // Drops the listings of `folder`, of every folder below it (copies add
    // files there), and of every folder above it (copies may create the
    // folders on the way).
    void ForgetAround(const std::wstring& folder);

private:
    std::unordered_map<std::wstring, FolderContents> m_folders;
    // Reused for every listing while it is read.
    FolderItem m_item;
    std::vector<FolderContents::Entry> m_entries;
    std::wstring m_names;
};

} // namespace varnholt
