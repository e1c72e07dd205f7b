// Tovrinel.exe, the launcher the autostart entry names. It shows nothing when
// all goes well; an error (config.ini or Varnholt.exe missing) is shown in a
// message box captioned "Tovrinel" by the entry point, which then ends the
// process with exit code 1.

#include "framework/win_app.h"
#include "launcher/launch.h"

namespace varnholt {

class CTovrinelApp : public CWinApp {
public:
    bool InitInstance() override {
        LaunchAutomaticStart();
        return false;
    }
};

CTovrinelApp theApp;

} // namespace varnholt
