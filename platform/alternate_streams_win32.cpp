#include "platform/alternate_streams.h"

#include <atomic>
#include <mutex>
#include <optional>

#include "platform/folders.h"

namespace varnholt {

namespace {

std::mutex g_seamLock;
StreamAccess g_replaced;
// Read without the lock by every copy: the usual case takes no lock.
std::atomic<bool> g_seamSet{false};

// ":Zone.Identifier:$DATA" gives ":Zone.Identifier", the suffix that names
// the stream after a file's path; the main content "::$DATA" and streams of
// other kinds give nothing.
std::optional<std::wstring> NamedDataStream(const std::wstring& listed) {
    static constexpr std::wstring_view kDataKind = L":$DATA";
    if (listed.size() <= 1 + kDataKind.size() || listed.front() != L':' ||
        !listed.ends_with(kDataKind)) {
        return std::nullopt;
    }
    return listed.substr(0, listed.size() - kDataKind.size());
}

// The system's calls, with the parts a test replaced put in.
StreamAccess Chosen(const StreamAccess& system) {
    StreamAccess chosen = system;
    if (g_seamSet.load()) {
        std::lock_guard guard(g_seamLock);
        if (g_replaced.list) {
            chosen.list = g_replaced.list;
        }
        if (g_replaced.takesStreams) {
            chosen.takesStreams = g_replaced.takesStreams;
        }
        if (g_replaced.copy) {
            chosen.copy = g_replaced.copy;
        }
    }
    return chosen;
}

// A failure that may pass by the next run (a stream in use, a full disk, a
// read or write cut short as by a connection lost): the copy fails and is
// tried again then. Others stay, and the copy goes on without that stream.
bool MayPass(FileFault fault) {
    return fault == FileFault::InUse || fault == FileFault::DiskFull ||
           fault == FileFault::Incomplete;
}

bool IsDownloadMark(const std::wstring& stream) {
    return FileNameKey(stream) == FileNameKey(L":Zone.Identifier");
}

} // namespace

FileFault CopyAlternateStreams(const std::wstring& from, const std::wstring& newFile,
                               const StreamAccess& system) {
    const StreamAccess access = Chosen(system);
    const StreamListing listing = access.list(from);
    if (!listing.volumeHasStreams) {
        return FileFault::None;
    }
    if (listing.fault != FileFault::None) {
        return MayPass(listing.fault) ? listing.fault : FileFault::None;
    }
    bool targetAsked = false;
    for (const std::wstring& listed : listing.names) {
        const std::optional<std::wstring> stream = NamedDataStream(listed);
        if (!stream) {
            continue;
        }
        // Asked once, and only for a source that has a stream to carry.
        if (!targetAsked && !access.takesStreams(newFile)) {
            return FileFault::None;
        }
        targetAsked = true;
        const FileFault fault = access.copy(from + *stream, newFile + *stream);
        if (fault != FileFault::None && (MayPass(fault) || IsDownloadMark(*stream))) {
            return fault;
        }
    }
    return FileFault::None;
}

void SetStreamAccessForTesting(StreamAccess access) {
    std::lock_guard guard(g_seamLock);
    g_seamSet = access.list || access.takesStreams || access.copy;
    g_replaced = std::move(access);
}

} // namespace varnholt
