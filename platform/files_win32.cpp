#include <windows.h>

#include <atomic>
#include <cwchar>

#include "base/errors.h"
#include "platform/files.h"

namespace varnholt {

namespace {

FileError::Cause CauseOf(DWORD error, FileError::Cause otherwise) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return FileError::Cause::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return FileError::Cause::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileError::Cause::SharingViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FileError::Cause::DiskFull;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return FileError::Cause::BadPath;
    default:
        return otherwise;
    }
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }
    HANDLE Get() const { return m_handle; }
    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    bool Close() {
        if (m_handle == INVALID_HANDLE_VALUE) {
            return true;
        }
        HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != 0;
    }

private:
    HANDLE m_handle;
};

std::wstring TemporaryNameBeside(const std::wstring& target) {
    static std::atomic<unsigned long> counter{0};
    const auto slash = target.find_last_of(L"\\/");
    const std::wstring folder =
        slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
    const std::wstring name = slash == std::wstring::npos ? target : target.substr(slash + 1);
    wchar_t tail[64];
    std::swprintf(tail, 64, L".%lu-%lu.tmp", static_cast<unsigned long>(GetCurrentProcessId()),
                  ++counter);
    return folder + L"~" + name + tail;
}

} // namespace

std::string ReadWholeFile(const std::wstring& path) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) {
        throw FileError(CauseOf(GetLastError(), FileError::Cause::Generic), path);
    }
    std::string bytes;
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF) {
                break;
            }
            throw FileError(error == ERROR_LOCK_VIOLATION ? FileError::Cause::SharingViolation
                                                          : FileError::Cause::ReadFailed,
                            path);
        }
        if (got == 0) {
            break;
        }
        bytes.append(chunk, got);
    }
    return bytes;
}

void ReplaceWholeFile(const std::wstring& path, const std::string& bytes) {
    std::wstring temporary;
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = TemporaryNameBeside(path);
        handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            error = GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
                break;
            }
        }
    }
    if (handle == INVALID_HANDLE_VALUE) {
        throw FileError(CauseOf(error, FileError::Cause::WriteFailed), path);
    }
    FileHandle file(handle);
    auto fail = [&](DWORD code) {
        file.Close();
        DeleteFileW(temporary.c_str());
        throw FileError(CauseOf(code, FileError::Cause::WriteFailed), path);
    };

    const long long limit = ReplaceWriteLimitForTesting();
    std::size_t done = 0;
    while (done < bytes.size()) {
        if (limit >= 0 && done >= static_cast<std::size_t>(limit)) {
            fail(ERROR_DISK_FULL);
        }
        std::size_t left = bytes.size() - done;
        if (limit >= 0 && left > static_cast<std::size_t>(limit) - done) {
            left = static_cast<std::size_t>(limit) - done;
        }
        const DWORD want = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
        DWORD put = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, want, &put, nullptr)) {
            fail(GetLastError());
        }
        if (put == 0) {
            fail(ERROR_WRITE_FAULT);
        }
        done += put;
    }
    if (!FlushFileBuffers(file.Get())) {
        fail(GetLastError());
    }
    if (!file.Close()) {
        fail(GetLastError());
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = GetLastError();
        DeleteFileW(temporary.c_str());
        throw FileError(CauseOf(code, FileError::Cause::WriteFailed), path);
    }
}

} // namespace varnholt
