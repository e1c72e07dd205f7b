#pragma once
// Elapsed wall time from the performance counter, in seconds.

#include <windows.h>

namespace varnholt::bench {

class Stopwatch {
public:
    Stopwatch() noexcept {
        ::QueryPerformanceFrequency(&m_frequency);
        ::QueryPerformanceCounter(&m_start);
    }

    double Seconds() const noexcept {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - m_start.QuadPart) /
               static_cast<double>(m_frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_frequency{};
    LARGE_INTEGER m_start{};
};

} // namespace varnholt::bench
