#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/append_file.h"
#include "platform/native_path.h"

namespace varnholt {

struct AppendFile::State {
    int fd = -1;
    std::uint64_t size = 0;
};

AppendFile::AppendFile() : m_state(std::make_unique<State>()) {}

AppendFile::~AppendFile() {
    Close();
}

bool AppendFile::Open(const std::wstring& path) {
    Close();
    m_state->fd =
        ::open(ToNativePath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    struct stat info {};
    if (m_state->fd < 0 || ::fstat(m_state->fd, &info) != 0) {
        Close();
        return false;
    }
    m_state->size = static_cast<std::uint64_t>(info.st_size);
    return true;
}

bool AppendFile::IsOpen() const noexcept {
    return m_state->fd >= 0;
}

void AppendFile::Close() noexcept {
    if (m_state->fd >= 0) {
        ::close(m_state->fd);
        m_state->fd = -1;
    }
}

std::uint64_t AppendFile::Size() const noexcept {
    return m_state->size;
}

bool AppendFile::Write(std::string_view bytes) {
    while (m_state->fd >= 0 && !bytes.empty()) {
        const ssize_t written = ::write(m_state->fd, bytes.data(), bytes.size());
        if (written <= 0) {
            return false;
        }
        m_state->size += static_cast<std::uint64_t>(written);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return m_state->fd >= 0;
}

} // namespace varnholt
