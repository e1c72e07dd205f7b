#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_copy.h"
#include "platform/native_path.h"

namespace varnholt {

namespace {

// Creates every missing folder above `file` (like the shell copy does).
bool CreateParentFolders(const std::string& file) {
    for (std::size_t slash = file.find('/', 1); slash != std::string::npos;
         slash = file.find('/', slash + 1)) {
        std::string folder = file.substr(0, slash);
        if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return true;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool CopyContent(int in, int out) {
    char buffer[64 * 1024];
    for (;;) {
        ssize_t got = read(in, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (got == 0) {
            return true;
        }
        if (!WriteAll(out, buffer, static_cast<std::size_t>(got))) {
            return false;
        }
    }
}

} // namespace

bool PlatformCopyFile(const std::wstring& from, const std::wstring& to) {
    std::string source = ToNativePath(from);
    std::string target = ToNativePath(to);
    if (!CreateParentFolders(target)) {
        return false;
    }
    int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return false;
    }
    struct stat info {};
    int out = fstat(in, &info) == 0 && S_ISREG(info.st_mode)
                  ? open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600)
                  : -1;
    bool ok = out >= 0 && CopyContent(in, out) && fsync(out) == 0 &&
              fchmod(out, info.st_mode & 07777) == 0;
    // Times are set after the last write, which would otherwise move them.
    timespec times[2] = {info.st_atim, info.st_mtim};
    ok = ok && futimens(out, times) == 0;
    if (out >= 0 && close(out) != 0) {
        ok = false;
    }
    close(in);
    return ok;
}

bool ReplaceFileWith(const std::wstring& source, const std::wstring& target) {
    std::string to = ToNativePath(target);
    if (rename(ToNativePath(source).c_str(), to.c_str()) != 0) {
        return false;
    }
    // Make the new directory entry itself durable.
    std::size_t slash = to.rfind('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : to.substr(0, slash);
    int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

bool FlushFileToDisk(const std::wstring& path) {
    const int file = open(ToNativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return false;
    }
    const bool flushed = fsync(file) == 0;
    close(file);
    return flushed;
}

bool RemoveFile(const std::wstring& path) {
    return unlink(ToNativePath(path).c_str()) == 0 || errno == ENOENT;
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
