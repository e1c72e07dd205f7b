#pragma once
// The steps of a fail-safe write (platform/fail_safe_write.h), one per system:
// making a new file (from bytes, or as a copy of another file) written
// through to the disk, the one-step replacement of a target, the removal of a
// file, and what the cleanup of left-over temporary files needs to know about
// processes. Each step that can fail says why, in the terms a person is told.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/file_fault.h"

namespace varnholt {

// Writes `bytes` into the file `newFile`, which must not exist yet (its
// folder must), writes it through to the disk and closes it. On any failure
// `newFile` is removed again.
FileFault WriteNewFile(const std::wstring& newFile, std::string_view bytes);

// Copies the content of `from` into the file `newFile`, which must not exist
// yet: creates the folders missing on the way, writes the content, on Windows
// also its alternate streams (among them the mark of a file downloaded from
// the internet; see platform/alternate_streams.h for which, and where they
// are left out), gives the new file `from`'s last-modification time and
// attributes, writes it through to the disk (FlushFileBuffers, fsync) and
// closes it. The new file has the permissions of its folder (on POSIX: the
// mode bits of `from`). A copy that comes out shorter or longer than the
// source was when the copy ended is Incomplete; a stream that fails to copy
// to a volume that takes streams fails the copy. On any failure `newFile` is
// removed again.
FileFault CopyToNewFile(const std::wstring& from, const std::wstring& newFile);

// Writes `bytes` over the content of the existing file `path` (the last
// resort where its folder refuses new files): room for a longer content is
// taken first, so a full disk fails before anything changes; then the bytes
// are written from the start, the file is cut to their length and written
// through to the disk. Only a failure in the middle of that write (a kill,
// a power cut, a failing medium) can leave a mixed content. A missing file
// is Missing; a read-only one AccessDenied.
FileFault OverwriteFile(const std::wstring& path, std::string_view bytes);

// Puts `source` in place of `target` in one step (rename with replacement),
// also when the target is read-only. The replaced file keeps `source`'s
// attributes, times and alternate streams, and on Windows `target`'s own
// permissions: `source` is given the target's DACL first (protected, or
// inheriting from the folder, as the target's was; the owner is not
// changed). Where the target's permissions cannot be read or set (FAT, some
// shares), and where there is no target, `source` keeps the permissions it
// has. On POSIX the mode bits stay `source`'s: they stand for the read-only
// attribute there. On failure `target` is left as it was and `source` still
// exists, with its folder's permissions, so it can be removed.
FileFault ReplaceFileWith(const std::wstring& source, const std::wstring& target);

// Deletes a file, also a read-only one. True when it is gone.
bool RemoveFile(const std::wstring& path);

// The form of `path` that file operations accept whatever its length: on
// Windows an absolute path of MAX_PATH characters or more gets the "\\?\"
// prefix (for folders on a network share "\\?\UNC\"); shorter paths, and
// every path elsewhere, come back as they are.
std::wstring LongPathForm(const std::wstring& path);

// The id of this process.
std::uint32_t CurrentProcessId();

// True when a process with this id runs on this machine, and also when that
// cannot be determined (callers use it to decide whether something may still
// be in use, so the doubtful case counts as running).
bool IsProcessRunning(std::uint32_t processId);

} // namespace varnholt
