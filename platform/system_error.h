#pragma once
// The one place where a system's error number becomes a FileFault: the
// value of GetLastError() on Windows, of errno elsewhere. Every platform
// step that fails classifies its error here.

#include "base/file_fault.h"

namespace varnholt {

// Other for an error of no known kind; None for 0.
FileFault FaultOfSystemError(unsigned long error);

} // namespace varnholt
