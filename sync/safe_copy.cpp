#include "sync/safe_copy.h"

#include <atomic>

#include "platform/file_copy.h"
#include "platform/file_times.h"

namespace varnholt {

namespace {

constexpr wchar_t kTemporaryPrefix[] = L"~vh-";
constexpr wchar_t kTemporarySuffix[] = L".tmp";
constexpr std::size_t kPrefixLength = 4;
constexpr std::size_t kNameLength = 4 + 8 + 1 + 4 + 4;

std::atomic<std::uint32_t> g_counter{0};

void AppendHex(std::wstring& out, std::uint32_t value, int digits) {
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        out += kDigits[(value >> shift) & 0xF];
    }
}

bool ReadHex(const std::wstring& text, std::size_t at, std::size_t digits, std::uint32_t& value) {
    value = 0;
    for (std::size_t k = 0; k < digits; ++k) {
        wchar_t c = text[at + k];
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

// The folder part of a path: everything before its last backslash.
std::wstring FolderOf(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

} // namespace

std::wstring MakeCopyTemporaryName(std::uint32_t processId, std::uint32_t counter) {
    std::wstring name = kTemporaryPrefix;
    AppendHex(name, processId, 8);
    name += L'-';
    AppendHex(name, counter & 0xFFFFu, 4);
    name += kTemporarySuffix;
    return name;
}

bool IsCopyTemporaryName(const std::wstring& name, std::uint32_t* processId) {
    std::uint32_t pid = 0;
    std::uint32_t counter = 0;
    bool match = name.size() == kNameLength &&
                 name.compare(0, kPrefixLength, kTemporaryPrefix) == 0 &&
                 ReadHex(name, 4, 8, pid) && name[12] == L'-' && ReadHex(name, 13, 4, counter) &&
                 name.compare(17, 4, kTemporarySuffix) == 0;
    if (match && processId != nullptr) {
        *processId = pid;
    }
    return match;
}

bool RemoveAbandonedCopy(const std::wstring& path, const std::wstring& name, std::int64_t now) {
    std::uint32_t pid = 0;
    if (!IsCopyTemporaryName(name, &pid) || IsProcessRunning(pid)) {
        return false;
    }
    std::optional<std::int64_t> changed = QueryFileChangeTime(path);
    if (!changed || now - *changed < kAbandonedCopyAge) {
        return false;
    }
    return RemoveFile(path);
}

CopyOutcome SafeCopyFile(const std::wstring& from, const std::wstring& to,
                         const BeforeReplaceHook& beforeReplace) {
    const std::wstring folder = FolderOf(to);
    if (folder.empty()) {
        return {CopyResult::BadTarget};
    }
    if (to.size() >= kMaxStatusPathLength) {
        return {CopyResult::CopyFailed, FileFault::PathTooLong};
    }
    const std::wstring temporary = LongPathForm(
        folder + L'\\' + MakeCopyTemporaryName(CurrentProcessId(), g_counter.fetch_add(1)));

    // The usual case costs no status query: what went wrong is looked into
    // only when something did.
    if (const FileFault fault = CopyToNewFile(from, temporary); fault != FileFault::None) {
        const FileStatus source = QueryFileStatus(from);
        if (!source.exists || source.isFolder) {
            return {CopyResult::SourceMissing}; // gone since it was listed
        }
        if (QueryFileStatus(to).isFolder) {
            return {CopyResult::BadTarget};
        }
        return {CopyResult::CopyFailed, fault == FileFault::Missing ? FileFault::Other : fault};
    }
    if (beforeReplace) {
        beforeReplace(temporary);
    }
    if (const FileFault fault = ReplaceFileWith(temporary, to); fault != FileFault::None) {
        RemoveFile(temporary);
        if (QueryFileStatus(to).isFolder) {
            return {CopyResult::BadTarget};
        }
        return {CopyResult::ReplaceFailed, fault};
    }
    return {CopyResult::Copied};
}

} // namespace varnholt
