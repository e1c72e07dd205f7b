#pragma once
// Lets the messages waiting for this thread's windows through, for work that
// runs long inside one handler: the windows stay painted and answering.

namespace varnholt {

// Dispatches every message already waiting, then returns. A WM_QUIT is put
// back for the loop that owns it.
void DispatchWaitingMessages();

} // namespace varnholt
