#include <windows.h>

#include <aclapi.h>

#include <memory>
#include <vector>

#include "platform/alternate_streams.h"
#include "platform/handles.h"
#include "platform/new_files.h"
#include "platform/system_error.h"

namespace varnholt {

namespace {

constexpr DWORD kCopyBufferSize = 256 * 1024;
// A file's stream list fits the first size unless it has dozens of streams.
constexpr std::size_t kStreamListSize = 1024;
constexpr std::size_t kStreamListLimit = 16 * 1024 * 1024;

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// Creates `folder` and the folders missing above it. Another copy may create
// the same folder at the same moment: one that exists afterwards is fine.
bool CreateFolders(const std::wstring& folder) {
    if (folder.empty() || CreateDirectoryW(folder.c_str(), nullptr) ||
        GetLastError() == ERROR_ALREADY_EXISTS) {
        return true;
    }
    if (GetLastError() != ERROR_PATH_NOT_FOUND) {
        return false;
    }
    const std::wstring parent = FolderOf(folder);
    if (parent.empty() || parent == folder || !CreateFolders(parent)) {
        return false;
    }
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// A replacement needs to delete the old target. Windows refuses a rename over
// a file that another program holds open with "access denied", as it does
// for a lack of rights; asking for delete access tells the two apart.
bool IsHeldOpen(const std::wstring& path) {
    const UniqueFile probe(
        CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return !probe && GetLastError() == ERROR_SHARING_VIOLATION;
}

HANDLE OpenToRead(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

HANDLE CreateNew(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Writes all of `data`; a short write (the disk filling up) is written on
// until the system says why it stops.
FileFault WriteAll(HANDLE out, const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD want = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(out, data, want, &written, nullptr)) {
            return FaultOfSystemError(GetLastError());
        }
        if (written == 0) {
            return FileFault::Incomplete;
        }
        data += written;
        size -= written;
    }
    return FileFault::None;
}

FileFault CopyContent(HANDLE in, HANDLE out, std::uint64_t& copied) {
    // One buffer per copy, freed on this thread before it ends: a buffer
    // kept per thread (thread_local) is freed while its copier thread ends,
    // and Wine leaves some of those frees undone, so a program in the tray
    // for weeks grew by about 100 KB per copied file.
    const auto buffer = std::make_unique_for_overwrite<char[]>(kCopyBufferSize);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(in, buffer.get(), kCopyBufferSize, &got, nullptr)) {
            const FileFault fault = FaultOfSystemError(GetLastError());
            return fault == FileFault::Other ? FileFault::Incomplete : fault;
        }
        if (got == 0) {
            return FileFault::None;
        }
        if (const FileFault fault = WriteAll(out, buffer.get(), got); fault != FileFault::None) {
            return fault;
        }
        copied += got;
    }
}

// The streams of the open file `file`, in one query on its handle. A volume
// without alternate streams answers with an error: FAT and shares without
// them ERROR_INVALID_PARAMETER or ERROR_NOT_SUPPORTED, Wine
// ERROR_INVALID_FUNCTION, and a file without any stream ERROR_HANDLE_EOF.
StreamListing ListStreams(HANDLE file) {
    StreamListing listing;
    // FILE_STREAM_INFO entries are aligned for their 64-bit sizes.
    std::vector<std::uint64_t> buffer(kStreamListSize / sizeof(std::uint64_t));
    while (!GetFileInformationByHandleEx(file, FileStreamInfo, buffer.data(),
                                         static_cast<DWORD>(buffer.size() * sizeof buffer[0]))) {
        const DWORD error = GetLastError();
        if (error == ERROR_MORE_DATA && buffer.size() * sizeof buffer[0] < kStreamListLimit) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error == ERROR_HANDLE_EOF || error == ERROR_INVALID_PARAMETER ||
            error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED) {
            listing.volumeHasStreams = false;
        } else {
            listing.fault = FaultOfSystemError(error);
        }
        return listing;
    }
    const char* at = reinterpret_cast<const char*>(buffer.data());
    for (;;) {
        const auto* entry = reinterpret_cast<const FILE_STREAM_INFO*>(at);
        listing.names.emplace_back(entry->StreamName, entry->StreamNameLength / sizeof(wchar_t));
        if (entry->NextEntryOffset == 0) {
            return listing;
        }
        at += entry->NextEntryOffset;
    }
}

bool TakesStreams(HANDLE file) {
    DWORD flags = 0;
    return GetVolumeInformationByHandleW(file, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) &&
           (flags & FILE_NAMED_STREAMS) != 0;
}

FileFault CopyStream(const std::wstring& from, const std::wstring& to) {
    const UniqueFile in(OpenToRead(LongPathForm(from)));
    if (!in) {
        return FaultOfSystemError(GetLastError());
    }
    UniqueFile out(CreateNew(LongPathForm(to)));
    if (!out) {
        return FaultOfSystemError(GetLastError());
    }
    std::uint64_t copied = 0;
    FileFault fault = CopyContent(in.get(), out.get(), copied);
    if (fault == FileFault::None && !FlushFileBuffers(out.get())) {
        fault = FaultOfSystemError(GetLastError());
    }
    if (!out.close() && fault == FileFault::None) {
        fault = FaultOfSystemError(GetLastError());
    }
    // A stream left out must not stay behind half written.
    if (fault != FileFault::None) {
        DeleteFileW(LongPathForm(to).c_str());
    }
    return fault;
}

FileFault CopyOpenFiles(HANDLE in, HANDLE out, const std::wstring& from,
                        const std::wstring& newFile) {
    std::uint64_t copied = 0;
    if (const FileFault fault = CopyContent(in, out, copied); fault != FileFault::None) {
        return fault;
    }
    // The source as it is now: the copy must hold all of it.
    LARGE_INTEGER source{};
    if (!GetFileSizeEx(in, &source) || static_cast<std::uint64_t>(source.QuadPart) != copied) {
        return FileFault::Incomplete;
    }
    // The alternate streams, before the times: writing them moves them too.
    const StreamAccess system{[in](const std::wstring&) { return ListStreams(in); },
                              [out](const std::wstring&) { return TakesStreams(out); }, CopyStream};
    if (const FileFault fault = CopyAlternateStreams(from, newFile, system);
        fault != FileFault::None) {
        return fault;
    }
    // Times are set after the last write, which would otherwise move them.
    FILETIME created{};
    FILETIME accessed{};
    FILETIME written{};
    if (!GetFileTime(in, &created, &accessed, &written) ||
        !SetFileTime(out, nullptr, &accessed, &written)) {
        return FaultOfSystemError(GetLastError());
    }
    // The content must be on the disk before a rename can put the file in
    // place: after a power cut the target holds its old or its new content.
    if (!FlushFileBuffers(out)) {
        return FaultOfSystemError(GetLastError());
    }
    return FileFault::None;
}

// Closes a new file after its content was written: a close that fails may
// have lost the data, and a file that failed at all is removed again.
FileFault Finish(UniqueFile& out, FileFault fault, const std::wstring& path) {
    if (!out.close() && fault == FileFault::None) {
        fault = FaultOfSystemError(GetLastError());
    }
    if (fault != FileFault::None) {
        RemoveFile(path);
    }
    return fault;
}

// True when every entry of `dacl` came from the folder: a file made in the
// same folder inherits the same entries.
bool OnlyInheritedEntries(ACL* dacl) {
    for (DWORD index = 0; index < dacl->AceCount; ++index) {
        void* entry = nullptr;
        if (!GetAce(dacl, index, &entry) ||
            (static_cast<const ACE_HEADER*>(entry)->AceFlags & INHERITED_ACE) == 0) {
            return false;
        }
    }
    return true;
}

// A file's DACL as read from it, with whether it is protected from its
// folder's; `dacl` points into `descriptor`.
struct Permissions {
    UniqueLocalMemory descriptor;
    ACL* dacl = nullptr;
    bool isProtected = false;
};

// False when the DACL cannot be read, or the volume keeps none (FAT, some
// shares).
bool ReadPermissions(const std::wstring& path, Permissions& permissions) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &permissions.dacl, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    permissions.descriptor.reset(descriptor);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    if (permissions.dacl == nullptr ||
        !GetSecurityDescriptorControl(descriptor, &control, &revision)) {
        return false;
    }
    permissions.isProtected = (control & SE_DACL_PROTECTED) != 0;
    return true;
}

bool WritePermissions(const std::wstring& path, const Permissions& permissions) {
    return SetNamedSecurityInfoW(const_cast<wchar_t*>(path.c_str()), SE_FILE_OBJECT,
                                 DACL_SECURITY_INFORMATION |
                                     (permissions.isProtected
                                          ? PROTECTED_DACL_SECURITY_INFORMATION
                                          : UNPROTECTED_DACL_SECURITY_INFORMATION),
                                 nullptr, nullptr, permissions.dacl, nullptr) == ERROR_SUCCESS;
}

// Gives `newFile`, made in `target`'s folder and so holding the folder's
// permissions, the target's own: its DACL as it is, protected from the
// folder's or inheriting from it (the system then adds the folder's entries
// as they are now). The owner stays the one who made the new file: setting
// another may need rights a user lacks. One read when the target exists; a
// target without readable permissions (FAT, some shares) or with nothing of
// its own (the usual case) needs no write, and a write that fails leaves the
// folder's permissions, as a new file has them. When it writes, `own` gets
// the permissions `newFile` had before, and it returns true.
bool KeepPermissions(const std::wstring& target, const std::wstring& newFile, Permissions& own) {
    Permissions kept;
    if (!ReadPermissions(target, kept) || (!kept.isProtected && OnlyInheritedEntries(kept.dacl))) {
        return false;
    }
    // Read first, so that a file which takes the target's permissions but
    // not its place can be given its own back: the target's may not let
    // its maker delete it.
    return ReadPermissions(newFile, own) && WritePermissions(newFile, kept);
}

// The rename of ReplaceFileWith, with a read-only target's attribute
// cleared for it.
FileFault RenameOver(const std::wstring& source, const std::wstring& target) {
    constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (MoveFileExW(source.c_str(), target.c_str(), kFlags)) {
        return FileFault::None;
    }
    DWORD error = GetLastError();
    if (error != ERROR_ACCESS_DENIED) {
        return FaultOfSystemError(error);
    }
    // A read-only target cannot be replaced by a rename; the copy replaces it
    // all the same, so its attribute is cleared for the rename and put back
    // when the rename still fails.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
        if (MoveFileExW(source.c_str(), target.c_str(), kFlags)) {
            return FileFault::None;
        }
        error = GetLastError();
        SetFileAttributesW(target.c_str(), attributes);
    }
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        IsHeldOpen(target)) {
        return FileFault::InUse;
    }
    return FaultOfSystemError(error);
}

} // namespace

FileFault WriteNewFile(const std::wstring& newFile, std::string_view bytes) {
    UniqueFile out(CreateNew(newFile));
    if (!out) {
        return FaultOfSystemError(GetLastError());
    }
    FileFault fault = WriteAll(out.get(), bytes.data(), bytes.size());
    if (fault == FileFault::None && !FlushFileBuffers(out.get())) {
        fault = FaultOfSystemError(GetLastError());
    }
    return Finish(out, fault, newFile);
}

FileFault OverwriteFile(const std::wstring& path, std::string_view bytes) {
    UniqueFile out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) {
        return FaultOfSystemError(GetLastError());
    }
    LARGE_INTEGER length{};
    length.QuadPart = static_cast<LONGLONG>(bytes.size());
    LARGE_INTEGER size{};
    const LARGE_INTEGER start{};
    FileFault fault = FileFault::None;
    // A longer content gets its room first: setting the end of the file
    // allocates it, or fails on a full disk before a byte has changed.
    if (!GetFileSizeEx(out.get(), &size) ||
        (size.QuadPart < length.QuadPart &&
         (!SetFilePointerEx(out.get(), length, nullptr, FILE_BEGIN) || !SetEndOfFile(out.get()))) ||
        !SetFilePointerEx(out.get(), start, nullptr, FILE_BEGIN)) {
        fault = FaultOfSystemError(GetLastError());
    }
    if (fault == FileFault::None) {
        fault = WriteAll(out.get(), bytes.data(), bytes.size());
    }
    if (fault == FileFault::None && (!SetEndOfFile(out.get()) || !FlushFileBuffers(out.get()))) {
        fault = FaultOfSystemError(GetLastError());
    }
    if (!out.close() && fault == FileFault::None) {
        fault = FaultOfSystemError(GetLastError());
    }
    return fault;
}

FileFault CopyToNewFile(const std::wstring& from, const std::wstring& newFile) {
    const UniqueFile in(OpenToRead(from));
    if (!in) {
        return FaultOfSystemError(GetLastError());
    }
    const DWORD attributes = GetFileAttributesW(from.c_str());

    UniqueFile out(CreateNew(newFile));
    if (!out && GetLastError() == ERROR_PATH_NOT_FOUND && CreateFolders(FolderOf(newFile))) {
        out.reset(CreateNew(newFile));
    }
    if (!out) {
        return FaultOfSystemError(GetLastError());
    }
    FileFault fault = Finish(out, CopyOpenFiles(in.get(), out.get(), from, newFile), newFile);
    // Read-only, hidden, system: as the source has them (set after the last
    // write; a read-only file cannot be written).
    constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                            FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    if (fault == FileFault::None && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & kKept & ~FILE_ATTRIBUTE_ARCHIVE) != 0 &&
        !SetFileAttributesW(newFile.c_str(), attributes & kKept)) {
        fault = FaultOfSystemError(GetLastError());
        RemoveFile(newFile);
    }
    return fault;
}

FileFault ReplaceFileWith(const std::wstring& source, const std::wstring& target) {
    Permissions own;
    const bool keptPermissions = KeepPermissions(target, source, own);
    const FileFault fault = RenameOver(source, target);
    if (fault != FileFault::None && keptPermissions) {
        // Its maker owns it, and an owner may always set the permissions.
        WritePermissions(source, own);
    }
    return fault;
}

bool RemoveFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return DeleteFileW(path.c_str()) != FALSE;
}

std::wstring LongPathForm(const std::wstring& path) {
    if (path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) {
        return path;
    }
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') {
        return L"\\\\?\\" + path;
    }
    if (path.rfind(L"\\\\", 0) == 0) {
        return L"\\\\?\\UNC\\" + path.substr(2);
    }
    return path;
}

std::uint32_t CurrentProcessId() {
    return GetCurrentProcessId();
}

bool IsProcessRunning(std::uint32_t processId) {
    const UniqueKernelObject process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        // No such process gives ERROR_INVALID_PARAMETER; anything else (access
        // denied to another user's process) means it exists.
        return GetLastError() != ERROR_INVALID_PARAMETER;
    }
    DWORD exitCode = 0;
    const BOOL ok = GetExitCodeProcess(process.get(), &exitCode);
    return !ok || exitCode == STILL_ACTIVE;
}

} // namespace varnholt
