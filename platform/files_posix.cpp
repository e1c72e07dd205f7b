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

namespace varnholt {

namespace {

FileError::Cause CauseOf(int error, FileError::Cause otherwise) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FileError::Cause::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return FileError::Cause::AccessDenied;
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
        return FileError::Cause::SharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileError::Cause::DiskFull;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
    case ELOOP:
        return FileError::Cause::BadPath;
    default:
        return otherwise;
    }
}

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

std::string TemporaryNameBeside(const std::string& target) {
    static std::atomic<unsigned long> counter{0};
    const auto slash = target.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    char tail[64];
    std::snprintf(tail, sizeof tail, ".%ld-%lu.tmp", static_cast<long>(getpid()), ++counter);
    return folder + "~" + name + tail;
}

} // namespace

std::string ReadWholeFile(const std::wstring& path) {
    const std::string native = ToNativePath(path);
    Descriptor file(::open(native.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        throw FileError(CauseOf(errno, FileError::Cause::Generic), path);
    }
    // An exclusive advisory lock is the nearest POSIX has to opening without
    // sharing: it keeps two instances of the program from interleaving.
    if (::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) {
        throw FileError(CauseOf(errno, FileError::Cause::SharingViolation), path);
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) == 0 && S_ISDIR(info.st_mode)) {
        throw FileError(FileError::Cause::AccessDenied, path);
    }
    std::string bytes;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(FileError::Cause::ReadFailed, path);
        }
        if (got == 0) {
            break;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return bytes;
}

void ReplaceWholeFile(const std::wstring& path, const std::string& bytes) {
    const std::string target = ToNativePath(path);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = TemporaryNameBeside(target);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        throw FileError(CauseOf(errno, FileError::Cause::WriteFailed), path);
    }
    Descriptor file(fd);
    auto fail = [&](int error) {
        file.Close();
        ::unlink(temporary.c_str());
        throw FileError(CauseOf(error, FileError::Cause::WriteFailed), path);
    };

    // Keep the old file's permission bits on the new one.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 07777);
    }
    const long long limit = ReplaceWriteLimitForTesting();
    std::size_t done = 0;
    while (done < bytes.size()) {
        if (limit >= 0 && done >= static_cast<std::size_t>(limit)) {
            fail(ENOSPC);
        }
        std::size_t want = bytes.size() - done;
        if (limit >= 0) {
            want = std::min(want, static_cast<std::size_t>(limit) - done);
        }
        const ssize_t put = ::write(fd, bytes.data() + done, want);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(errno);
        }
        done += static_cast<std::size_t>(put);
    }
    if (::fsync(fd) != 0) {
        fail(errno);
    }
    if (!file.Close()) {
        fail(errno);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        throw FileError(CauseOf(error, FileError::Cause::WriteFailed), path);
    }
}

} // namespace varnholt
