#pragma once
// Windows only: the alternate streams a copy carries (CopyToNewFile in
// platform/new_files.h). Besides its main content, a file on an NTFS volume
// may hold named data streams; the one that matters most is
// "Zone.Identifier", the mark Windows puts on a file downloaded from the
// internet, and without which it no longer warns before that file is opened.
//
// CopyToNewFile lists the streams of the source once, through the handle it
// already holds, and copies every named data stream "source:name" into
// "newFile:name" after the main content and before the times are set and the
// file is written through. A failure that may pass (a full disk, a stream
// in use, a read or write cut short) fails the copy like any other (the new file is removed, the
// target stays as it was) and the next run tries again; so does any failure to carry
// "Zone.Identifier". What it does not copy:
//   - anything from a source on a volume without alternate streams (FAT, a
//     share that has none, Wine): there is nothing to carry;
//   - the streams of a source whose copy goes to a volume that takes none
//     (a FAT memory stick): the main content is copied all the same and the
//     streams are lost there, as with a copy made in Explorer;
//   - the main content again ("::$DATA"), and streams of other kinds than data;
//   - streams other than the mark that fail for a reason that stays (the
//     target's volume refuses their name or size), and all streams of a
//     source whose streams cannot be listed for such a reason: the content
//     is what the user saved, and it is not held back for them.
//
// The decisions are made here; the few system calls behind them are a
// StreamAccess, which a test can replace.

#include <functional>
#include <string>
#include <vector>

#include "platform/new_files.h"

namespace varnholt {

struct StreamListing {
    // False on a volume without alternate streams: the source has none.
    bool volumeHasStreams = true;
    // A listing that failed on a volume that has streams.
    FileFault fault = FileFault::None;
    // The file's streams as the system names them: "::$DATA" for the main
    // content, ":Zone.Identifier:$DATA" for a named data stream.
    std::vector<std::wstring> names;
};

struct StreamAccess {
    // The streams of the file `from`.
    std::function<StreamListing(const std::wstring& from)> list;
    // True when the volume of the new file `newFile` takes alternate streams.
    std::function<bool(const std::wstring& newFile)> takesStreams;
    // Copies the stream `from` ("C:\a.txt:Zone.Identifier") into the new
    // stream `to` of the new file, written through to the disk.
    std::function<FileFault(const std::wstring& from, const std::wstring& to)> copy;
};

// Copies every named data stream of `from` into `newFile` through `system`
// (the system's calls of the copy in progress), or through the parts of it a
// test replaced, by the rules above. None when every stream arrived or there
// was none to carry.
FileFault CopyAlternateStreams(const std::wstring& from, const std::wstring& newFile,
                               const StreamAccess& system);

// Test seam: the set parts of `access` take the place of the system's calls
// in every later copy; parts left empty stay the system's. An access with no
// part set switches the seam off.
void SetStreamAccessForTesting(StreamAccess access);

} // namespace varnholt
