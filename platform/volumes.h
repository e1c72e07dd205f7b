#pragma once
// Whether the volume a folder lies on is there at all: a drive letter that
// names a drive with a medium in it, a share that answers. A pair on a USB
// stick that is out, or on a share that is not reachable, is not an error
// but a pair to leave for later.

#include <string>

namespace varnholt {

// False only when the system says the folder's volume is absent (no such
// drive, no medium, the share or its server not found); anything else,
// access denied included, counts as there. May wait as long as the system
// waits for a share that does not answer: call it off the window's thread
// (sync/volume_check.h).
bool VolumeIsThere(const std::wstring& folder);

// True for a share's root and for a drive letter the system maps to a share
// (asked of the local mapping, without the network).
bool IsNetworkVolume(const std::wstring& root);

// The root of the volume `folder` lies on: "X:\" for "X:...", "\\server\share\"
// for a share; empty for a relative folder and on POSIX (one tree).
std::wstring VolumeRootOf(const std::wstring& folder);

} // namespace varnholt
