#include <windows.h>

#include <vector>

#include "platform/program_path_impl.h"

namespace varnholt {

std::wstring RealModuleFileName() {
    // Room for 260 characters covers every ordinary install; a deeper folder
    // would come back cut short (and name the wrong folder), so grow the
    // buffer until the whole name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) {
            return std::wstring();
        }
        if (length < size) {
            return std::wstring(buffer.data(), length);
        }
        if (buffer.size() >= 32768) {
            return std::wstring(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace varnholt
