#pragma once
// Why something done to a file did not work, in the terms a person is told.
// The one vocabulary for it: a platform step returns a FileFault, an
// operation a person started raises a FileError carrying one
// (base/errors.h), and a run records one with each file it could not copy.

namespace varnholt {

enum class FileFault {
    None,           // it worked
    Missing,        // the file, or a folder on its path, is not there
    InUse,          // another program holds the file open
    AccessDenied,   // no permission, or a read-only file, folder or medium
    DiskFull,       // no room left on the medium
    PathTooLong,    // the path is longer than the system accepts
    BadPath,        // the path is malformed, or names a folder for a file
    Incomplete,     // reading or writing stopped short of the whole file
    Exists,         // a new file was to be made where one already is
    FolderInTheWay, // a folder stands where the file should go
    Changed,        // the source changed while it was copied
    ReadFailed,     // reading the file failed
    WriteFailed,    // writing or replacing the file failed
    Other,          // anything else
};

} // namespace varnholt
