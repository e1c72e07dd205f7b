#pragma once
// The progress of a run on the window's taskbar button (ITaskbarList3).
// Where the shell offers no such interface, nothing is shown and nothing
// fails.

#include <windows.h>

#include <cstddef>

struct ITaskbarList3;

namespace varnholt {

class TaskbarProgress {
public:
    explicit TaskbarProgress(HWND window);
    ~TaskbarProgress();
    TaskbarProgress(const TaskbarProgress&) = delete;
    TaskbarProgress& operator=(const TaskbarProgress&) = delete;

    // `done` of `total`; no bar while total is 0.
    void Show(std::size_t done, std::size_t total);

private:
    HWND m_window;
    ITaskbarList3* m_list = nullptr;
    bool m_comStarted = false;
};

} // namespace varnholt
