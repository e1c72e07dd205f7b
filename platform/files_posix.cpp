#include "platform/native_path.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>

#include "base/errors.h"
#include "platform/files.h"
#include "platform/system_error.h"

namespace varnholt {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Close(); }
    int Get() const { return m_fd; }
    // Closes now and reports whether the close itself succeeded.
    bool Close() {
        if (m_fd < 0) {
            return true;
        }
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

} // namespace

std::string ReadWholeFile(const std::wstring& path) {
    const std::string native = ToNativePath(path);
    Descriptor file(::open(native.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        throw FileError(FaultOfSystemError(errno), path);
    }
    // An exclusive advisory lock is the nearest POSIX has to opening without
    // sharing: it keeps two instances of the program from interleaving.
    if (::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) {
        const FileFault fault = FaultOfSystemError(errno);
        throw FileError(fault == FileFault::Other ? FileFault::InUse : fault, path);
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) == 0 && S_ISDIR(info.st_mode)) {
        throw FileError(FileFault::AccessDenied, path);
    }
    std::string bytes;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(FileFault::ReadFailed, path);
        }
        if (got == 0) {
            break;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return bytes;
}

} // namespace varnholt
