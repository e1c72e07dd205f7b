#pragma once
// How the launcher tells the program that it was started at logon: the
// setting Startup holds "automatically" from the launcher's start of the
// program until the program's first tick, which takes the mark (sets
// "manually" again) and sends the window to the tray. A start by hand finds
// "manually". Both programs go through these two functions.

namespace varnholt {

// The launcher: `atLogon` true just before it starts the program, false
// again when that start failed (a mark nobody takes would send the next start
// by hand to the tray). Raises what WriteConfigValue raises.
void MarkStartAtLogon(bool atLogon);

// The program: true when the launcher's mark is there; it is then taken, so
// the next start is a start by hand again. Raises what the settings file's
// read and write raise.
bool TakeStartAtLogonMark();

} // namespace varnholt
