#pragma once
// The About box: the program's name, version and a one-line description.
// Its texts come from its template and are not translated.

#include "framework/dialog.h"
#include "resources/resource.h"

namespace varnholt {

class CAboutDlg : public CDialogImpl<CAboutDlg> {
public:
    explicit CAboutDlg(CWnd* parent = nullptr) : CDialogImpl(IDD_ABOUTBOX, parent) {}

    static const MessageMap<CAboutDlg> kMessageMap;
};

} // namespace varnholt
