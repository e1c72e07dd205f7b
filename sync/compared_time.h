#pragma once
// What the comparison rule takes for one side of a pair: the one place that
// decides what counts as missing. A side without an entry, one whose path has
// kMaxStatusPathLength characters or more (the program's old status query
// could not reach such paths, so they never take part), and one whose time
// lies before 1 January 1970 UTC all count as changed at the start of 1970
// (kUnixEpochFileTime): an old file never looks new, and a missing side loses
// to any real date. Both the listing of a run and each look at a file just
// before its copy go through here.

#include <cstddef>
#include <cstdint>

#include "platform/file_times.h"

namespace varnholt {

inline constexpr std::size_t kMaxStatusPathLength = 260;

// The time compared for the side at a path of `pathLength` characters, as
// the platform reported it: whether it has an entry, and its raw time.
constexpr std::int64_t ComparedTime(std::size_t pathLength, bool exists,
                                    std::int64_t lastWrite) noexcept {
    if (!exists || pathLength >= kMaxStatusPathLength || lastWrite < kUnixEpochFileTime) {
        return kUnixEpochFileTime;
    }
    return lastWrite;
}

} // namespace varnholt
