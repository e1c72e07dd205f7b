#pragma once
// A file a run could not copy, with the reason a person is told.

#include <string>
#include <vector>

#include "base/file_fault.h"

namespace varnholt {

struct CopyFailure {
    std::wstring from;
    std::wstring to;
    FileFault cause = FileFault::Other;

    bool operator==(const CopyFailure&) const = default;
};

// True when two runs could not copy the same files for the same causes, in
// whatever order they were found.
bool SameFailures(std::vector<CopyFailure> some, std::vector<CopyFailure> others);

} // namespace varnholt
