#include "app/taskbar_progress.h"

#include <shobjidl.h>

namespace varnholt {

TaskbarProgress::TaskbarProgress(HWND window) : m_window(window) {
    m_comStarted = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    void* list = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_ITaskbarList3, &list))) {
        m_list = static_cast<ITaskbarList3*>(list);
        if (FAILED(m_list->HrInit())) {
            m_list->Release();
            m_list = nullptr;
        }
    }
}

TaskbarProgress::~TaskbarProgress() {
    if (m_list != nullptr) {
        m_list->SetProgressState(m_window, TBPF_NOPROGRESS);
        m_list->Release();
    }
    if (m_comStarted) {
        ::CoUninitialize();
    }
}

void TaskbarProgress::Show(std::size_t done, std::size_t total) {
    if (m_list == nullptr) {
        return;
    }
    if (total == 0) {
        m_list->SetProgressState(m_window, TBPF_NOPROGRESS);
        return;
    }
    m_list->SetProgressState(m_window, TBPF_NORMAL);
    m_list->SetProgressValue(m_window, done, total);
}

} // namespace varnholt
