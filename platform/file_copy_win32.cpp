#include <windows.h>

#include <shellapi.h>

#include "platform/file_copy.h"

namespace varnholt {

bool PlatformCopyFile(const std::wstring& from, const std::wstring& to) {
    // Each path followed by one more NUL: the shell reads both as lists of
    // names ended by an empty name. c_str() supplies the second NUL.
    std::wstring source = from + L'\0';
    std::wstring target = to + L'\0';
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = nullptr;
    operation.wFunc = FO_COPY;
    operation.pFrom = source.c_str();
    operation.pTo = target.c_str();
    // Only "yes to all": the shell creates missing folders, and on Windows
    // shows its progress on long copies and its own error messages.
    operation.fFlags = FOF_NOCONFIRMATION;
    int result = SHFileOperationW(&operation);
    return result == 0 && !operation.fAnyOperationsAborted;
}

bool ReplaceFileWith(const std::wstring& source, const std::wstring& target) {
    // A read-only target cannot be replaced by a rename; the shell copy
    // replaces it all the same, so its attribute is cleared first and put
    // back when the replacement fails.
    DWORD attributes = GetFileAttributesW(target.c_str());
    bool clearedReadOnly = false;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        clearedReadOnly =
            SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) != FALSE;
    }
    if (MoveFileExW(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    if (clearedReadOnly) {
        SetFileAttributesW(target.c_str(), attributes);
    }
    return false;
}

bool FlushFileToDisk(const std::wstring& path) {
    // Flushing needs write access, which a read-only file (the copy of a
    // read-only source) refuses: its attribute is lifted for the moment.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool readOnly =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly) {
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    bool flushed = false;
    if (file != INVALID_HANDLE_VALUE) {
        flushed = FlushFileBuffers(file) != FALSE;
        CloseHandle(file);
    }
    if (readOnly) {
        SetFileAttributesW(path.c_str(), attributes);
    }
    return flushed;
}

bool RemoveFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return DeleteFileW(path.c_str()) != FALSE;
}

std::uint32_t CurrentProcessId() {
    return GetCurrentProcessId();
}

bool IsProcessRunning(std::uint32_t processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        // No such process gives ERROR_INVALID_PARAMETER; anything else (access
        // denied to another user's process) means it exists.
        return GetLastError() != ERROR_INVALID_PARAMETER;
    }
    DWORD exitCode = 0;
    BOOL ok = GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    return !ok || exitCode == STILL_ACTIVE;
}

} // namespace varnholt
