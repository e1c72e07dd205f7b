#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

#include <algorithm>

#include "platform/file_times.h"
#include "platform/native_path.h"

namespace varnholt {

namespace {

constexpr std::int64_t kEpochSecondsFrom1601 = kUnixEpochFileTime / kFileTimeTicksPerSecond;

std::int64_t ToFileTime(const timespec& t) {
    // Nothing before 1601 can be counted in a FILETIME.
    const std::int64_t seconds =
        std::max<std::int64_t>(static_cast<std::int64_t>(t.tv_sec), -kEpochSecondsFrom1601);
    return (seconds + kEpochSecondsFrom1601) * kFileTimeTicksPerSecond + t.tv_nsec / 100;
}

// Floor division, so that times before 1970 split into seconds and a
// non-negative remainder.
timespec ToTimespec(std::int64_t fileTime) {
    std::int64_t sinceEpoch = fileTime - kUnixEpochFileTime;
    std::int64_t seconds = sinceEpoch / kFileTimeTicksPerSecond;
    std::int64_t rest = sinceEpoch % kFileTimeTicksPerSecond;
    if (rest < 0) {
        rest += kFileTimeTicksPerSecond;
        --seconds;
    }
    timespec t{};
    t.tv_sec = static_cast<time_t>(seconds);
    t.tv_nsec = static_cast<long>(rest * 100);
    return t;
}

} // namespace

FileStatus QueryFileStatus(const std::wstring& path) {
    FileStatus status;
    if (path.empty()) {
        return status;
    }
    struct stat info {};
    if (stat(ToNativePath(path).c_str(), &info) != 0) {
        return status;
    }
    status.exists = true;
    status.isFolder = S_ISDIR(info.st_mode);
    status.size = static_cast<std::uint64_t>(info.st_size);
    status.lastWrite = ToFileTime(info.st_mtim);
    return status;
}

bool SetFileModificationTime(const std::wstring& path, std::int64_t fileTime) {
    timespec times[2] = {ToTimespec(fileTime), ToTimespec(fileTime)};
    return utimensat(AT_FDCWD, ToNativePath(path).c_str(), times, 0) == 0;
}

std::optional<std::int64_t> QueryFileChangeTime(const std::wstring& path) {
    struct stat info {};
    if (stat(ToNativePath(path).c_str(), &info) != 0) {
        return std::nullopt;
    }
    return ToFileTime(info.st_ctim);
}

std::int64_t CurrentFileTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return ToFileTime(now);
}

struct LocalTimeZone::Zone {};

LocalTimeZone::LocalTimeZone() : m_zone(std::make_unique<Zone>()) {
    tzset(); // reads TZ once; localtime_r below uses the rules loaded here
}

LocalTimeZone::~LocalTimeZone() = default;

LocalFields LocalTimeZone::ToLocal(std::int64_t fileTime) const {
    LocalFields fields;
    time_t seconds = ToTimespec(fileTime).tv_sec;
    struct tm local {};
    if (localtime_r(&seconds, &local) == nullptr) {
        return fields;
    }
    fields.year = local.tm_year + 1900;
    fields.month = local.tm_mon + 1;
    fields.day = local.tm_mday;
    fields.hour = local.tm_hour;
    fields.minute = local.tm_min;
    return fields;
}

} // namespace varnholt
