#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/native_path.h"
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
            // The program's paths are Windows paths: '/' becomes '\\'.
            std::wstring path =
                FromNativeName(std::string(buffer.data(), static_cast<std::size_t>(length)));
            std::replace(path.begin(), path.end(), L'/', L'\\');
            return path;
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace varnholt
