#pragma once
// Undoing a temporary change of state however a scope ends, also when it
// unwinds: the one way the program sets a flag for the length of a call or
// puts something back afterwards.
//
//     const auto shown = FlagForScope(m_failuresShown); // false again at the end
//     const ScopeExit restart([this] { SetTimer(...); });

#include <utility>

namespace varnholt {

template <class Undo> class [[nodiscard]] ScopeExit {
public:
    explicit ScopeExit(Undo undo) : m_undo(std::move(undo)) {}
    ~ScopeExit() { m_undo(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Undo m_undo;
};

// Sets `flag` now and clears it when the returned guard goes.
[[nodiscard]] inline auto FlagForScope(bool& flag) {
    flag = true;
    return ScopeExit([&flag]() noexcept { flag = false; });
}

} // namespace varnholt
