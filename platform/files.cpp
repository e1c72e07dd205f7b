#include "platform/files.h"

namespace varnholt {

namespace {

long long& WriteLimit() {
    static long long limit = -1;
    return limit;
}

} // namespace

void SetReplaceWriteLimitForTesting(long long bytes) {
    WriteLimit() = bytes;
}

long long ReplaceWriteLimitForTesting() {
    return WriteLimit();
}

} // namespace varnholt
