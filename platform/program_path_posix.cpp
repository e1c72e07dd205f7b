#include <unistd.h>

#include <string>
#include <vector>

#include "platform/files_posix.h"
#include "platform/program_path_impl.h"

namespace varnholt {

std::wstring RealModuleFileName() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return std::wstring();
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return WidePath(std::string(buffer.data(), static_cast<std::size_t>(length)));
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace varnholt
