#include <cerrno>

#include "platform/system_error.h"

namespace varnholt {

FileFault FaultOfSystemError(unsigned long error) {
    switch (static_cast<int>(error)) {
    case 0:
        return FileFault::None;
    case ENOENT:
    case ENOTDIR:
        return FileFault::Missing;
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
        return FileFault::InUse;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return FileFault::AccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileFault::DiskFull;
    case ENAMETOOLONG:
        return FileFault::PathTooLong;
    case EINVAL:
    case EILSEQ:
    case ELOOP:
        return FileFault::BadPath;
    case EIO:
        return FileFault::Incomplete;
    case EEXIST:
        return FileFault::Exists;
    default:
        return FileFault::Other;
    }
}

} // namespace varnholt
