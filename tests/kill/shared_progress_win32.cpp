#include <windows.h>

#include "platform/handles.h"
#include "tests/kill/shared_progress.h"

namespace varnholt::test::kill {

namespace {

using UniqueView = UniqueHandle<NullHandleTraits<void*, &::UnmapViewOfFile>>;

} // namespace

struct SharedProgress::Mapping {
    UniqueFile file;
    UniqueKernelObject section;
    UniqueView view;
};

SharedProgress::SharedProgress(const std::wstring& path) : m_mapping(std::make_unique<Mapping>()) {
    m_mapping->file.reset(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_mapping->file) {
        return;
    }
    // A section larger than the file makes the file that large.
    m_mapping->section.reset(CreateFileMappingW(m_mapping->file.get(), nullptr, PAGE_READWRITE, 0,
                                                static_cast<DWORD>(kProgressFileSize), nullptr));
    if (!m_mapping->section) {
        return;
    }
    m_mapping->view.reset(
        MapViewOfFile(m_mapping->section.get(), FILE_MAP_WRITE, 0, 0, kProgressFileSize));
    m_word = static_cast<std::uint64_t*>(m_mapping->view.get());
}

SharedProgress::~SharedProgress() = default;

} // namespace varnholt::test::kill
