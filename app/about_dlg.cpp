#include "app/about_dlg.h"

namespace varnholt {

// The About box has no handlers of its own: OK and Cancel close it.
const MessageMap<CAboutDlg> CAboutDlg::kMessageMap{};

} // namespace varnholt
