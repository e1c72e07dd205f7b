#include <windows.h>

#include "platform/file_times.h"
#include "platform/handles.h"

namespace varnholt {

namespace {

std::int64_t FromFileTime(const FILETIME& time) {
    auto value = static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                           time.dwLowDateTime);
    return value;
}

FILETIME ToFileTime(std::int64_t value) {
    auto bits = static_cast<std::uint64_t>(value);
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(bits & 0xFFFFFFFFu);
    time.dwHighDateTime = static_cast<DWORD>(bits >> 32);
    return time;
}

} // namespace

FileStatus QueryFileStatus(const std::wstring& path) {
    FileStatus status;
    if (path.empty()) {
        return status;
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return status;
    }
    status.exists = true;
    status.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    status.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status.lastWrite = FromFileTime(data.ftLastWriteTime);
    return status;
}

bool SetFileModificationTime(const std::wstring& path, std::int64_t fileTime) {
    const UniqueFile file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) {
        return false;
    }
    const FILETIME time = ToFileTime(fileTime);
    return SetFileTime(file.get(), nullptr, &time, &time) != FALSE;
}

std::optional<std::int64_t> QueryFileChangeTime(const std::wstring& path) {
    const UniqueFile file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) {
        return std::nullopt;
    }
    FILE_BASIC_INFO info{};
    if (!GetFileInformationByHandleEx(file.get(), FileBasicInfo, &info, sizeof info)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(info.ChangeTime.QuadPart);
}

std::int64_t CurrentFileTime() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return FromFileTime(now);
}

// The zone is read once (GetTimeZoneInformation costs microseconds per call,
// the conversion with a zone in hand a fraction of that), and each conversion
// applies the daylight-saving rule of the date converted, which
// FileTimeToLocalFileTime would not do.
struct LocalTimeZone::Zone {
    TIME_ZONE_INFORMATION info{};
    bool valid = false;
};

LocalTimeZone::LocalTimeZone() : m_zone(std::make_unique<Zone>()) {
    m_zone->valid = GetTimeZoneInformation(&m_zone->info) != TIME_ZONE_ID_INVALID;
}

LocalTimeZone::~LocalTimeZone() = default;

LocalFields LocalTimeZone::ToLocal(std::int64_t fileTime) const {
    LocalFields fields;
    if (fileTime < 0) {
        return fields;
    }
    FILETIME time = ToFileTime(fileTime);
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!FileTimeToSystemTime(&time, &utc) ||
        !SystemTimeToTzSpecificLocalTime(m_zone->valid ? &m_zone->info : nullptr, &utc, &local)) {
        return fields;
    }
    fields.year = local.wYear;
    fields.month = local.wMonth;
    fields.day = local.wDay;
    fields.hour = local.wHour;
    fields.minute = local.wMinute;
    return fields;
}

} // namespace varnholt
