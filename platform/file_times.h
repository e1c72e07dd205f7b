#pragma once
// File status (existence, size, last-modification time) and the conversion of
// a point in time to local calendar fields.
//
// Times are FILETIME counts: 100-nanosecond intervals since 1 January 1601
// UTC, as the file system keeps them, reported as they are (what a run makes
// of a missing file or a time before 1970 is decided in sync/compared_time.h).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace varnholt {

// 1 January 1970 00:00 UTC as a FILETIME count.
inline constexpr std::int64_t kUnixEpochFileTime = 116444736000000000;
inline constexpr std::int64_t kFileTimeTicksPerSecond = 10000000;

struct FileStatus {
    bool exists = false; // the file system has an entry (file or folder)
    bool isFolder = false;
    std::uint64_t size = 0;
    std::int64_t lastWrite = kUnixEpochFileTime; // as the file system keeps it

    bool operator==(const FileStatus&) const = default;
};

// One status query (GetFileAttributesExW on Windows, stat elsewhere). A failed
// query (no entry, or a path the system does not reach) gives exists == false
// and lastWrite == kUnixEpochFileTime.
FileStatus QueryFileStatus(const std::wstring& path);

// Sets the last-modification time (and the last-access time) of a file.
bool SetFileModificationTime(const std::wstring& path, std::int64_t fileTime);

// When this copy of the file was last changed in any way, its attributes and
// times included (NTFS change time, POSIX st_ctime); nullopt when unknown.
std::optional<std::int64_t> QueryFileChangeTime(const std::wstring& path);

// The current time as a FILETIME count.
std::int64_t CurrentFileTime();

// Local calendar fields of a point in time. The defaults are the fields of a
// failed conversion: year 0, month 0, day 0, hour -1, minute -1.
struct LocalFields {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = -1;
    int minute = -1;
};

// The local time zone, read once when the object is made (on POSIX from TZ,
// on Windows from the system's zone settings), and applied to each point in
// time with the daylight-saving rule in force on that date.
class LocalTimeZone {
public:
    LocalTimeZone();
    ~LocalTimeZone();
    LocalTimeZone(const LocalTimeZone&) = delete;
    LocalTimeZone& operator=(const LocalTimeZone&) = delete;

    // Fields of `fileTime` in local time; the failed-conversion defaults when
    // the time cannot be converted.
    LocalFields ToLocal(std::int64_t fileTime) const;

private:
    struct Zone;
    std::unique_ptr<Zone> m_zone;
};

} // namespace varnholt
