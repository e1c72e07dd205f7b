#pragma once
// A file a run could not copy, with the reason a person is told.

#include <string>

#include "base/file_fault.h"

namespace varnholt {

struct CopyFailure {
    std::wstring from;
    std::wstring to;
    FileFault cause = FileFault::Other;

    bool operator==(const CopyFailure&) const = default;
};

} // namespace varnholt
