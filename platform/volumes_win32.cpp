#include <windows.h>

#include "platform/volumes.h"

namespace varnholt {

std::wstring VolumeRootOf(const std::wstring& folder) {
    if (folder.size() >= 2 && folder[1] == L':') {
        return folder.substr(0, 2) + L"\\";
    }
    if (folder.rfind(L"\\\\", 0) == 0) {
        const std::size_t server = folder.find(L'\\', 2);
        if (server == std::wstring::npos) {
            return folder + L"\\";
        }
        const std::size_t share = folder.find(L'\\', server + 1);
        return (share == std::wstring::npos ? folder : folder.substr(0, share)) + L"\\";
    }
    return {};
}

namespace {

bool SaysAbsent(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_UNRECOGNIZED_VOLUME:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_NETNAME_DELETED:
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_HOST_UNREACHABLE:
    case ERROR_REM_NOT_LIST:
        return true;
    default:
        return false;
    }
}

} // namespace

bool IsNetworkVolume(const std::wstring& root) {
    return root.rfind(L"\\\\", 0) == 0 ||
           (root.size() >= 2 && root[1] == L':' && GetDriveTypeW(root.c_str()) == DRIVE_REMOTE);
}

bool VolumeIsThere(const std::wstring& folder) {
    const std::wstring root = VolumeRootOf(folder);
    if (root.empty()) {
        return true;
    }
    if (root[1] == L':' && GetDriveTypeW(root.c_str()) == DRIVE_NO_ROOT_DIR) {
        return false;
    }
    // A question that needs no more than the volume's root answers, or says
    // why not, without a dialog for a drive without a medium.
    // The mode of this thread only: several questions may be under way.
    DWORD previous = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous);
    const DWORD attributes = GetFileAttributesW(root.c_str());
    const DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_SUCCESS;
    SetThreadErrorMode(previous, nullptr);
    return attributes != INVALID_FILE_ATTRIBUTES || !SaysAbsent(error);
}

} // namespace varnholt
