#pragma once
// A test dialog whose handlers record how they were called.

#include <functional>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "tests/win/framework/test_resources.h"

namespace varnholt::test {

// Raised by WM_APP_THROW with wParam selecting the kind of error.
enum class ThrowKind : WPARAM { FileNotFound, BadIndex, Standard, Unknown };

constexpr UINT WM_APP_ADD = WM_APP;          // returns wParam + lParam
constexpr UINT WM_APP_THROW = WM_APP + 1;    // throws (see ThrowKind)
constexpr UINT WM_APP_DESTROY = WM_APP + 2;  // destroys the window
constexpr UINT WM_APP_CALLBACK = WM_APP + 3; // runs onCallback

class ProbeDialog : public CDialogImpl<ProbeDialog> {
public:
    explicit ProbeDialog(UINT templateId = IDD_PROBE, CWnd* parent = nullptr)
        : CDialogImpl(templateId, parent) {}

    static const MessageMap<ProbeDialog> kMessageMap;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // Hooks for a test.
    std::function<void(ProbeDialog&)> onInit;     // end of OnInitDialog
    std::function<void(ProbeDialog&)> onExchange; // inside DoDataExchange
    std::function<void(ProbeDialog&)> onCallback; // WM_APP_CALLBACK
    std::function<void(CCmdUI*)> onUpdate;        // inside every update handler
    bool exchangeControls = true;                 // DDX on the probe's controls
    bool routePopups = false; // WM_INITMENUPOPUP routes the popup's update handlers

    // Bound members.
    std::wstring m_text;
    int m_check = 0;
    std::wstring m_choice;
    CListCtrl m_list;
    CComboBox m_combo;
    CButton m_tick;

    // What happened.
    std::vector<std::wstring> calls;
    int initCount = 0;
    int editChanges = 0;
    int paints = 0;
    std::vector<UINT_PTR> timers;
    UINT sysCommand = 0;
    LPARAM sysParam = 0;
    HELPINFO* helpInfo = nullptr;
    UINT notifyCode = 0;
    HMENU popup = nullptr;
    UINT popupIndex = 0;
    BOOL popupSystem = FALSE;
    bool popupTracked = false;
    UINT updatedId = 0;
    UINT updatedIndex = 0;
    struct Update {
        UINT id;
        UINT index;
        HMENU parent;
        bool operator==(const Update&) const = default;
    };
    std::vector<Update> updates; // every update handler call, in order
    HCURSOR dragIcon = nullptr;

    using CDialog::Default;

private:
    void OnOpen() { calls.push_back(L"OnOpen"); }
    void OnOpenSecondRow() { calls.push_back(L"OnOpenSecondRow"); }
    void OnRun() { calls.push_back(L"OnRun"); }
    void OnEditChange() { ++editChanges; }
    void OnListClick(NMHDR* header, LRESULT* result);
    void OnUpdateOpen(CCmdUI* ui);
    void OnUpdateOther(CCmdUI* ui); // ID_RECENT_ONE, ID_RECENT_TWO, ID_HELP_ABOUT
    LRESULT OnAdd(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) + lParam; }
    LRESULT OnThrow(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroyRequest(WPARAM, LPARAM);
    LRESULT OnCallback(WPARAM, LPARAM);
    void OnSysCommand(UINT id, LPARAM param);
    void OnPaint();
    HCURSOR OnQueryDragIcon() { return dragIcon; }
    void OnTimer(UINT_PTR id) { timers.push_back(id); }
    BOOL OnHelpInfo(HELPINFO* info);
    void OnInitMenuPopup(CMenu menu, UINT index, BOOL system);
};

// Common controls for the list view; call in each fixture's SetUp.
void InitControls();

} // namespace varnholt::test
