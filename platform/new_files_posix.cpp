#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/native_path.h"
#include "platform/new_files.h"
#include "platform/system_error.h"

namespace varnholt {

namespace {

// Creates every missing folder above `file`.
bool CreateParentFolders(const std::string& file) {
    for (std::size_t slash = file.find('/', 1); slash != std::string::npos;
         slash = file.find('/', slash + 1)) {
        const std::string folder = file.substr(0, slash);
        if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return true;
}

FileFault WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FaultOfSystemError(errno);
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return FileFault::None;
}

FileFault CopyContent(int in, int out) {
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = read(in, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FileFault::Incomplete;
        }
        if (got == 0) {
            return FileFault::None;
        }
        if (const FileFault fault = WriteAll(out, buffer, static_cast<std::size_t>(got));
            fault != FileFault::None) {
            return fault;
        }
    }
}

FileFault CopyOpenFiles(int in, int out) {
    if (const FileFault fault = CopyContent(in, out); fault != FileFault::None) {
        return fault;
    }
    struct stat source {};
    struct stat copy {};
    if (fstat(in, &source) != 0 || fstat(out, &copy) != 0 || source.st_size != copy.st_size) {
        return FileFault::Incomplete;
    }
    // Times are set after the last write, which would otherwise move them.
    const timespec times[2] = {source.st_atim, source.st_mtim};
    if (fchmod(out, source.st_mode & 07777) != 0 || futimens(out, times) != 0 || fsync(out) != 0) {
        return FaultOfSystemError(errno);
    }
    return FileFault::None;
}

} // namespace

FileFault WriteNewFile(const std::wstring& newFile, std::string_view bytes) {
    const int out =
        open(ToNativePath(newFile).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (out < 0) {
        return FaultOfSystemError(errno);
    }
    FileFault fault = WriteAll(out, bytes.data(), bytes.size());
    if (fault == FileFault::None && fsync(out) != 0) {
        fault = FaultOfSystemError(errno);
    }
    if (close(out) != 0 && fault == FileFault::None) {
        fault = FaultOfSystemError(errno);
    }
    if (fault != FileFault::None) {
        RemoveFile(newFile);
    }
    return fault;
}

FileFault OverwriteFile(const std::wstring& path, std::string_view bytes) {
    const int out = open(ToNativePath(path).c_str(), O_WRONLY | O_CLOEXEC);
    if (out < 0) {
        return FaultOfSystemError(errno);
    }
    const auto length = static_cast<off_t>(bytes.size());
    struct stat info {};
    FileFault fault = FileFault::None;
    if (fstat(out, &info) != 0) {
        fault = FaultOfSystemError(errno);
    } else if (info.st_size < length) {
        // posix_fallocate reserves the blocks; a file system without it gets
        // the size alone (sparse, so a full disk may still show later).
        const int reserved = posix_fallocate(out, 0, length);
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
            fault = FaultOfSystemError(reserved);
        }
    }
    if (fault == FileFault::None && lseek(out, 0, SEEK_SET) != 0) {
        fault = FaultOfSystemError(errno);
    }
    if (fault == FileFault::None) {
        fault = WriteAll(out, bytes.data(), bytes.size());
    }
    if (fault == FileFault::None && (ftruncate(out, length) != 0 || fsync(out) != 0)) {
        fault = FaultOfSystemError(errno);
    }
    if (close(out) != 0 && fault == FileFault::None) {
        fault = FaultOfSystemError(errno);
    }
    return fault;
}

FileFault CopyToNewFile(const std::wstring& from, const std::wstring& newFile) {
    const std::string source = ToNativePath(from);
    const std::string target = ToNativePath(newFile);
    const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return FaultOfSystemError(errno);
    }
    struct stat info {};
    if (fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(in);
        return FileFault::Other;
    }
    int out = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0 && errno == ENOENT && CreateParentFolders(target)) {
        out = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    }
    if (out < 0) {
        const FileFault fault = FaultOfSystemError(errno);
        close(in);
        return fault;
    }
    FileFault fault = CopyOpenFiles(in, out);
    if (close(out) != 0 && fault == FileFault::None) {
        fault = FaultOfSystemError(errno);
    }
    close(in);
    if (fault != FileFault::None) {
        RemoveFile(newFile);
    }
    return fault;
}

FileFault ReplaceFileWith(const std::wstring& source, const std::wstring& target) {
    const std::string to = ToNativePath(target);
    if (rename(ToNativePath(source).c_str(), to.c_str()) != 0) {
        return FaultOfSystemError(errno);
    }
    // Make the new directory entry itself durable.
    const std::size_t slash = to.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : to.substr(0, slash);
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return FileFault::None;
}

bool RemoveFile(const std::wstring& path) {
    return unlink(ToNativePath(path).c_str()) == 0 || errno == ENOENT;
}

std::wstring LongPathForm(const std::wstring& path) {
    return path;
}

std::uint32_t CurrentProcessId() {
    return static_cast<std::uint32_t>(getpid());
}

bool IsProcessRunning(std::uint32_t processId) {
    if (processId == 0 || processId > 0x7FFFFFFFu) {
        return false;
    }
    return kill(static_cast<pid_t>(processId), 0) == 0 || errno != ESRCH;
}

} // namespace varnholt
