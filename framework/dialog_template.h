#pragma once
// Reads the header of a dialog template resource (DIALOG or DIALOGEX).

#include <windows.h>

namespace varnholt {

struct DialogTemplateHeader {
    DWORD style = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
};

// False when the module has no such dialog template.
bool ReadDialogTemplateHeader(HINSTANCE module, UINT id, DialogTemplateHeader& header);

} // namespace varnholt
