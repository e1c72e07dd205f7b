#pragma once
// A file a run could not copy, with the reason a person is told.

#include <compare>
#include <set>
#include <string>
#include <vector>

#include "base/file_fault.h"

namespace varnholt {

struct CopyFailure {
    std::wstring from;
    std::wstring to;
    FileFault cause = FileFault::Other;

    bool operator==(const CopyFailure&) const = default;
    auto operator<=>(const CopyFailure&) const = default;
};

// The failures a person has been told of, so that the same ones are not told
// again at every run: a file held open all day is told of once, and so is one
// that fails now and then beside it.
class ToldFailures {
public:
    // Adds `failures`; true when one of them was not told of before.
    bool Tell(const std::vector<CopyFailure>& failures);
    // What fails after this is news again.
    void Forget() noexcept { m_told.clear(); }

private:
    std::set<CopyFailure> m_told;
};

} // namespace varnholt
