#pragma once
// The folder listings of one run. Each folder is listed once, with the times
// of its entries, and the listing is kept, so that the second pass lists
// again only what the first pass copied into. A listing is trusted only while
// nothing has been copied into its folder since it was made: before copies
// go into a folder, ForgetAround() drops the listings they can change.

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/folders.h"

namespace varnholt {

class FolderContents {
public:
    // False when the folder is missing or cannot be listed.
    bool Listed() const noexcept { return m_listed; }
    // The entries in the order the file system returned them, "." and ".."
    // left out.
    const std::vector<FolderItem>& Items() const noexcept { return m_items; }
    // The entry the file system takes for `name`, or null.
    const FolderItem* Find(const std::wstring& name) const;

private:
    friend class FolderListings;
    bool m_listed = false;
    std::vector<FolderItem> m_items;
    mutable std::unordered_map<std::wstring, std::size_t> m_byKey; // made on the first Find
};

class FolderListings {
public:
    // The contents of `folder` (a path without a trailing backslash), listed
    // now or earlier in this run.
    const FolderContents& Contents(const std::wstring& folder);
    // Drops every listing: the next request lists afresh.
    void Forget() noexcept { m_folders.clear(); }
    // Drops the listings of `folder`, of every folder below it (copies add
    // files there), and of every folder above it (copies may create the
    // folders on the way).
    void ForgetAround(const std::wstring& folder);

private:
    std::unordered_map<std::wstring, std::unique_ptr<FolderContents>> m_folders;
};

} // namespace varnholt
