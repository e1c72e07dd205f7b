#pragma once
// "Notifications off": while at least one NotificationGuard on a gate is
// alive, the dialog that owns the gate does not dispatch control
// notifications (WM_COMMAND from child controls other than OK and Cancel, and
// WM_NOTIFY). Menu commands, accelerators, OK and Cancel still pass. Guards
// count, so they nest, and release on unwinding.

namespace varnholt {

class NotificationGate {
public:
    bool IsBlocked() const noexcept { return m_count > 0; }
    int Depth() const noexcept { return m_count; }

private:
    friend class NotificationGuard;
    int m_count = 0;
};

class NotificationGuard {
public:
    explicit NotificationGuard(NotificationGate& gate) noexcept : m_gate(gate) { ++m_gate.m_count; }
    ~NotificationGuard() { --m_gate.m_count; }
    NotificationGuard(const NotificationGuard&) = delete;
    NotificationGuard& operator=(const NotificationGuard&) = delete;

private:
    NotificationGate& m_gate;
};

} // namespace varnholt
