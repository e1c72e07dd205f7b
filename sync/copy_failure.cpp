#include "sync/copy_failure.h"

namespace varnholt {

bool ToldFailures::Tell(const std::vector<CopyFailure>& failures) {
    bool news = false;
    for (const CopyFailure& failure : failures) {
        news = m_told.insert(failure).second || news;
    }
    return news;
}

} // namespace varnholt
