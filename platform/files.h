#pragma once
// Whole-file reads and crash-safe whole-file replacement. Paths are full
// paths with backslashes (on POSIX they are turned into '/' paths).

#include <string>

namespace varnholt {

// Reads the whole file as bytes. The file is opened without sharing for the
// duration of the read, so a file another process holds open fails.
// Raises FileError (cause and the full path) when the file cannot be read.
std::string ReadWholeFile(const std::wstring& path);

// Replaces the file's content with `bytes` in one step: the bytes go to a
// new temporary file in the same folder, which is flushed to the medium and
// then moved over the target. On any failure the temporary file is removed,
// the old file stays as it was, and FileError (naming `path`) is raised.
// The target need not exist yet.
void ReplaceWholeFile(const std::wstring& path, const std::string& bytes);

// Test seam: lets ReplaceWholeFile write at most `bytes` bytes of new content
// and then fail as on a full disk, so tests can check that a failed replace
// keeps the old file. A negative limit (the default) switches it off.
void SetReplaceWriteLimitForTesting(long long bytes);
long long ReplaceWriteLimitForTesting();

} // namespace varnholt
