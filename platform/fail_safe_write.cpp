#include "platform/fail_safe_write.h"

#include <atomic>
#include <mutex>

#include "base/errors.h"
#include "platform/file_times.h"
#include "platform/folders.h"

namespace varnholt {

namespace {

constexpr wchar_t kTemporaryPrefix[] = L"~vh-";
constexpr wchar_t kTemporarySuffix[] = L".tmp";
constexpr std::size_t kPrefixLength = 4;
constexpr std::size_t kNameLength = 4 + 8 + 1 + 4 + 4;
// Names already taken (left by an earlier process of the same id) are
// skipped; this many tries are plenty.
constexpr int kNameAttempts = 100;

std::atomic<std::uint32_t> g_counter{0};

std::mutex g_seamLock;
BeforeReplace g_beforeReplace;

void AppendHex(std::wstring& out, std::uint32_t value, int digits) {
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        out += kDigits[(value >> shift) & 0xF];
    }
}

bool ReadHex(std::wstring_view text, std::size_t at, std::size_t digits, std::uint32_t& value) {
    value = 0;
    for (std::size_t k = 0; k < digits; ++k) {
        const wchar_t c = text[at + k];
        std::uint32_t digit = 0;
        if (c >= L'0' && c <= L'9') {
            digit = static_cast<std::uint32_t>(c - L'0');
        } else if (c >= L'a' && c <= L'f') {
            digit = static_cast<std::uint32_t>(c - L'a' + 10);
        } else {
            return false;
        }
        value = value * 16 + digit;
    }
    return true;
}

// Everything before the last backslash: the folder of a path.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

FileFault SeamFault(const std::wstring& temporary, const std::wstring& target) {
    std::lock_guard guard(g_seamLock);
    return g_beforeReplace ? g_beforeReplace(temporary, target) : FileFault::None;
}

// The fault a person is told of when a write they started failed: the
// faults with a message of their own as they are, the rest as a failed write.
FileFault WriteFault(FileFault fault) {
    switch (fault) {
    case FileFault::Missing:
    case FileFault::InUse:
    case FileFault::AccessDenied:
    case FileFault::DiskFull:
    case FileFault::PathTooLong:
        return fault;
    default:
        return FileFault::WriteFailed;
    }
}

void RemoveAbandonedTemporariesIn(const std::wstring& folder) {
    FolderListing listing;
    if (!listing.Open(folder + L"/*")) {
        return;
    }
    const std::int64_t now = CurrentFileTime();
    FolderItem item;
    while (listing.Next(item)) {
        if (!item.isFolder && IsTemporaryName(item.name)) {
            RemoveAbandonedTemporary(folder + L'\\' + item.name, item.name, now, 0);
        }
    }
}

} // namespace

std::wstring MakeTemporaryName(std::uint32_t processId, std::uint32_t counter) {
    std::wstring name = kTemporaryPrefix;
    AppendHex(name, processId, 8);
    name += L'-';
    AppendHex(name, counter & 0xFFFFu, 4);
    name += kTemporarySuffix;
    return name;
}

bool IsTemporaryName(std::wstring_view name, std::uint32_t* processId) {
    std::uint32_t pid = 0;
    std::uint32_t counter = 0;
    const bool match = name.size() == kNameLength &&
                       name.compare(0, kPrefixLength, kTemporaryPrefix) == 0 &&
                       ReadHex(name, 4, 8, pid) && name[12] == L'-' &&
                       ReadHex(name, 13, 4, counter) && name.compare(17, 4, kTemporarySuffix) == 0;
    if (match && processId != nullptr) {
        *processId = pid;
    }
    return match;
}

bool RemoveAbandonedTemporary(const std::wstring& path, const std::wstring& name, std::int64_t now,
                              std::int64_t minimumAge) {
    std::uint32_t pid = 0;
    if (!IsTemporaryName(name, &pid) || IsProcessRunning(pid)) {
        return false;
    }
    const std::optional<std::int64_t> changed = QueryFileChangeTime(path);
    if (!changed || now - *changed < minimumAge) {
        return false;
    }
    return RemoveFile(path);
}

ReplaceFailure ReplaceFailSafe(const std::wstring& target,
                               const std::function<FileFault(const std::wstring&)>& makeNewFile,
                               const std::function<bool()>& lastLook) {
    const std::wstring folder = FolderOf(target);
    std::wstring temporary;
    FileFault fault = FileFault::Exists;
    for (int attempt = 0; attempt < kNameAttempts && fault == FileFault::Exists; ++attempt) {
        temporary = LongPathForm(folder + L'\\' +
                                 MakeTemporaryName(CurrentProcessId(), g_counter.fetch_add(1)));
        fault = makeNewFile(temporary);
    }
    if (fault != FileFault::None) {
        return {fault, ReplaceStep::MakingNewFile};
    }
    fault = SeamFault(temporary, target);
    if (fault == FileFault::None && lastLook && !lastLook()) {
        RemoveFile(temporary);
        return {FileFault::Other, ReplaceStep::LastLook};
    }
    if (fault == FileFault::None) {
        fault = ReplaceFileWith(temporary, target);
    }
    if (fault != FileFault::None) {
        RemoveFile(temporary);
        return {fault, ReplaceStep::Replacing};
    }
    return {};
}

void WriteFileFailSafe(const std::wstring& target, const std::string& bytes) {
    const ReplaceFailure failure = ReplaceFailSafe(
        target, [&bytes](const std::wstring& temporary) { return WriteNewFile(temporary, bytes); });
    if (failure.fault == FileFault::AccessDenied && failure.step == ReplaceStep::MakingNewFile) {
        // The folder refuses new files, as a program folder that only an
        // administrator may change does, while the file itself may still be
        // writable: writing it in place is then the only way left.
        const FileFault inPlace = OverwriteFile(target, bytes);
        if (inPlace != FileFault::None) {
            throw FileError(WriteFault(inPlace == FileFault::Missing ? failure.fault : inPlace),
                            target);
        }
        return;
    }
    if (failure.fault != FileFault::None) {
        throw FileError(WriteFault(failure.fault), target);
    }
    // Left behind by a write that was killed: gone once the next one is done.
    RemoveAbandonedTemporariesIn(FolderOf(target));
}

void SetBeforeReplaceForTesting(BeforeReplace seam) {
    std::lock_guard guard(g_seamLock);
    g_beforeReplace = std::move(seam);
}

} // namespace varnholt
