#pragma once
// One tick of the countdown to the next automatic run. The countdown is kept
// in whole minutes in the settings (SyncInterval S, NextSync N) and moves
// only while the program runs: each tick takes one minute off N, shows what
// is left, never lets N stay above S, and starts a run when N reaches 0.

#include <cstdint>

namespace varnholt {

struct CountdownTick {
    // False when S is 0: automatic runs are off, and the tick leaves NextSync
    // and the status line as they are.
    bool counting = false;
    // The minutes left that the status line shows: N - 1, before the cap.
    std::int32_t shown = 0;
    // The countdown ran out: a run starts now.
    bool runNow = false;
    // What NextSync holds after the tick: N - 1 capped at S, or S again
    // after a run.
    std::int32_t next = 0;
};

// N - 1 wraps in 32 bits. A stored N of 0 thus shows -1 and stores -1,
// which the next tick reads back (by digit places) as 1.
CountdownTick CountDown(std::int32_t interval, std::int32_t next);

} // namespace varnholt
