#include <windows.h>

#include "base/errors.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/system_error.h"

namespace varnholt {

std::string ReadWholeFile(const std::wstring& path) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        throw FileError(FaultOfSystemError(GetLastError()), path);
    }
    std::string bytes;
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF) {
                break;
            }
            throw FileError(
                error == ERROR_LOCK_VIOLATION ? FileFault::InUse : FileFault::ReadFailed, path);
        }
        if (got == 0) {
            break;
        }
        bytes.append(chunk, got);
    }
    return bytes;
}

} // namespace varnholt
