#pragma once
// The application object: shows the main window as a modal dialog; the
// process ends when it closes. A start from a program folder another instance
// already runs from shows nothing: that instance's window comes to the front
// (framework/single_instance.h).

#include "framework/win_app.h"

namespace varnholt {

class CVarnholtApp : public CWinApp {
public:
    bool InitInstance() override;
};

} // namespace varnholt
