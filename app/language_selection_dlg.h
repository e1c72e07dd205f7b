#pragma once
// The language dialog (template 134): lists the display names of the language
// file's sections, selects the one of the stored marker, and on OK gives back
// the marker of the chosen name. The caller stores it and, when it changed,
// runs the main window's start-up sequence again.

#include <string>

#include "base/string_array.h"
#include "framework/controls.h"
#include "framework/dialog.h"

namespace varnholt {

class CLanguageSelection : public CDialogImpl<CLanguageSelection> {
public:
    CLanguageSelection();

    static const MessageMap<CLanguageSelection> kMessageMap;

    BOOL OnInitDialog() override;
    // Takes the marker of the name in the edit field, when a section has
    // exactly that name, then closes with IDOK.
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

public:
    CStatic m_group;
    CComboBox m_combo;
    // Markers at even positions, display names at odd ones, in file order.
    CStringArray m_astrLanguages;
    // Input: the group box's text.
    std::wstring m_strCaption;
    // Input and result: a language marker such as "[1031]" or "[----]".
    std::wstring m_strLanguage;

private:
    // Lets the drop-down list show several names at once: the template's
    // height is only that of the closed box.
    void OpenListWithRoomForSeveralNames();

    // The combo box's text.
    std::wstring m_strSelection;
};

} // namespace varnholt
