#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/native_path.h"
#include "tests/kill/shared_progress.h"

namespace varnholt::test::kill {

struct SharedProgress::Mapping {
    void* view = MAP_FAILED;
    ~Mapping() {
        if (view != MAP_FAILED) {
            munmap(view, kProgressFileSize);
        }
    }
};

SharedProgress::SharedProgress(const std::wstring& path) : m_mapping(std::make_unique<Mapping>()) {
    const int fd = open(ToNativePath(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return;
    }
    struct stat info {};
    if (fstat(fd, &info) == 0 && (static_cast<std::size_t>(info.st_size) >= kProgressFileSize ||
                                  ftruncate(fd, static_cast<off_t>(kProgressFileSize)) == 0)) {
        m_mapping->view =
            mmap(nullptr, kProgressFileSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    }
    close(fd);
    if (m_mapping->view != MAP_FAILED) {
        m_word = static_cast<std::uint64_t*>(m_mapping->view);
    }
}

SharedProgress::~SharedProgress() = default;

} // namespace varnholt::test::kill
