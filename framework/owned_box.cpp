#include "framework/owned_box.h"

namespace varnholt {

HWND OpenBoxOver(HWND window) noexcept {
    struct Search {
        HWND owner;
        HWND box;
    } search{window, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND candidate, LPARAM param) noexcept -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            if (!::IsWindowVisible(candidate) || !::IsWindowEnabled(candidate)) {
                return TRUE;
            }
            for (HWND owner = ::GetWindow(candidate, GW_OWNER); owner != nullptr;
                 owner = ::GetWindow(owner, GW_OWNER)) {
                if (owner == s.owner) {
                    s.box = candidate;
                    return FALSE;
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.box;
}

} // namespace varnholt
