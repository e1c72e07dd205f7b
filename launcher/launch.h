#pragma once
// What the launcher does: Windows starts it at logon through the autostart
// entry, it marks the start as automatic in config.ini (Startup becomes
// "automatically", so that Varnholt waits in the tray after its first minute)
// and starts Varnholt.exe from its own folder. When Varnholt already runs from
// that folder, its window only comes to the front.

namespace varnholt {

// Marks the start and starts the program. Nothing is written when the
// program is missing or already runs from the folder (a mark nobody consumes
// would send the next start by hand to the tray; the running window is
// brought to the front instead), and the mark is taken back when the program
// cannot be started. Raises FileError when the program or config.ini is
// missing, and Error when the program cannot be started.
void LaunchAutomaticStart();

} // namespace varnholt
