#pragma once
// The file operations of a safe copy: the platform's copy of one file, the
// one-step replacement of a target and the removal of a file; and what the
// cleanup of left-over temporary files needs to know about processes.

#include <cstdint>
#include <string>

namespace varnholt {

// Copies the file `from` to the path `to` (a file name, not a folder),
// creating the folders missing on the way and keeping the last-modification
// time. On Windows this is the shell's file copy (SHFileOperationW, FO_COPY,
// FOF_NOCONFIRMATION only), which shows its own progress and error windows.
// True when the copy completed.
bool PlatformCopyFile(const std::wstring& from, const std::wstring& to);

// Puts `source` in place of `target` in one step (rename with replacement),
// also when the target is read-only. The replaced file keeps `source`'s
// attributes and times. On failure `target` is left as it was and `source`
// still exists.
bool ReplaceFileWith(const std::wstring& source, const std::wstring& target);

// Writes the file's content through to the disk (FlushFileBuffers, fsync),
// so that a rename that follows can never outlive the data after a power cut.
bool FlushFileToDisk(const std::wstring& path);

// Deletes a file, also a read-only one. True when it is gone.
bool RemoveFile(const std::wstring& path);

// The id of this process.
std::uint32_t CurrentProcessId();

// True when a process with this id runs on this machine, and also when that
// cannot be determined (callers use it to decide whether something may still
// be in use, so the doubtful case counts as running).
bool IsProcessRunning(std::uint32_t processId);

} // namespace varnholt
