#include "schedule/countdown.h"

namespace varnholt {

CountdownTick CountDown(std::int32_t interval, std::int32_t next) {
    CountdownTick tick;
    if (interval == 0) {
        return tick;
    }
    tick.counting = true;
    // Unsigned arithmetic wraps without undefined behaviour.
    tick.shown = static_cast<std::int32_t>(static_cast<std::uint32_t>(next) - 1u);
    tick.next = tick.shown > interval ? interval : tick.shown;
    if (tick.next == 0) {
        tick.runNow = true;
        tick.next = interval;
    }
    return tick;
}

} // namespace varnholt
