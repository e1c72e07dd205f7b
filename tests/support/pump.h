#pragma once
// Message pumping for tests that drive windows on the test's own thread.

#include <windows.h>

#include <functional>

#include "framework/message_pump.h"

namespace varnholt::test {

// Dispatches every message already waiting (posted messages, timers, paints).
inline void PumpPending() {
    DispatchWaitingMessages();
}

// Pumps until `done()` holds or `timeoutMs` has passed; returns done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        PumpPending();
        if (done()) {
            return true;
        }
        ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) {
            return done();
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                    QS_ALLINPUT);
    }
}

// Pumps for `ms` milliseconds.
inline void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

} // namespace varnholt::test
