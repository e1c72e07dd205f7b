#pragma once
// The application object: shows the main window as a modal dialog; the
// process ends when it closes.

#include "framework/win_app.h"

namespace varnholt {

class CVarnholtApp : public CWinApp {
public:
    bool InitInstance() override;
};

} // namespace varnholt
