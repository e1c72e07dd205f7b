#include "sync/copy_failure.h"

#include <algorithm>
#include <tuple>

namespace varnholt {

bool SameFailures(std::vector<CopyFailure> some, std::vector<CopyFailure> others) {
    if (some.size() != others.size()) {
        return false;
    }
    const auto order = [](const CopyFailure& a, const CopyFailure& b) {
        return std::tie(a.from, a.to, a.cause) < std::tie(b.from, b.to, b.cause);
    };
    std::sort(some.begin(), some.end(), order);
    std::sort(others.begin(), others.end(), order);
    return some == others;
}

} // namespace varnholt
