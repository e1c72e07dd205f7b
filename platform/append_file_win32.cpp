#include <windows.h>

#include "platform/append_file.h"
#include "platform/handles.h"

namespace varnholt {

struct AppendFile::State {
    UniqueFile file;
    std::uint64_t size = 0;
};

AppendFile::AppendFile() : m_state(std::make_unique<State>()) {}

AppendFile::~AppendFile() = default;

bool AppendFile::Open(const std::wstring& path) {
    // Shared every way: a viewer that follows the file, or one that holds it
    // open, neither stops the writing nor is stopped by it.
    m_state->file.reset(CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!m_state->file || !GetFileSizeEx(m_state->file.get(), &size)) {
        m_state->file.reset();
        return false;
    }
    m_state->size = static_cast<std::uint64_t>(size.QuadPart);
    return true;
}

bool AppendFile::IsOpen() const noexcept {
    return static_cast<bool>(m_state->file);
}

void AppendFile::Close() noexcept {
    m_state->file.reset();
}

std::uint64_t AppendFile::Size() const noexcept {
    return m_state->size;
}

bool AppendFile::Write(std::string_view bytes) {
    if (!m_state->file) {
        return false;
    }
    DWORD written = 0;
    const bool ok = WriteFile(m_state->file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                              &written, nullptr) != FALSE;
    m_state->size += written;
    return ok && written == bytes.size();
}

} // namespace varnholt
