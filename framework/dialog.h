#pragma once
// CDialog: a dialog from a template, modal (DoModal) or modeless (Create),
// with data exchange and a dispatcher that routes messages to the typed
// message map of the derived class (CDialogImpl<T>, see message_map.h).
//
// The dialog procedure catches every error a handler raises and shows it with
// ReportError (owned by the dialog); the dialog keeps running.

#include <windows.h>

#include "framework/cmd_ui.h"
#include "framework/data_exchange.h"
#include "framework/message_map.h"
#include "framework/notification_guard.h"
#include "framework/wnd.h"

namespace varnholt {

class CDialog : public CWnd {
public:
    // `parent` owns the dialog; without one, a modal dialog is owned by the
    // application's main window (when that is another, live window).
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the dialog, disables its owner and runs a modal loop until
    // EndDialog is called or the window is destroyed. Returns the EndDialog
    // result, IDABORT when the window was destroyed without EndDialog, and -1
    // when the dialog could not be created.
    INT_PTR DoModal();
    // Creates the dialog modelessly (visible when its template says so).
    bool Create(HWND parent = nullptr);

    // Base: UpdateData(FALSE), which binds the control views; returns TRUE.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    // Runs DoDataExchange with control notifications switched off.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    // UpdateData(TRUE), then EndDialog(IDOK).
    virtual void OnOK();
    // EndDialog(IDCANCEL).
    virtual void OnCancel();
    // Ends the modal loop with `result` (a modeless dialog is hidden).
    void EndDialog(int result);
    // Centres the window on `alternateOwner`, else on its owner when that is
    // visible and not minimised, else on the work area of its monitor.
    void CenterWindow(HWND alternateOwner = nullptr);

    // Runs the command-update handler for `id` from the message map with
    // `ui`; true when there is one.
    virtual bool RouteCommandUpdate(UINT id, CCmdUI* ui);

    // The gate UpdateData closes; code that fills controls outside data
    // exchange can hold a NotificationGuard on it too.
    NotificationGate& GetNotificationGate() noexcept { return m_notifications; }
    UINT GetTemplateId() const noexcept { return m_templateId; }
    // The EndDialog result, -1 before EndDialog.
    INT_PTR GetModalResult() const noexcept { return m_modalResult; }

    // The CDialog behind a window created by this library, else nullptr.
    static CDialog* FromHandle(HWND window) noexcept;

protected:
    // Routing hook: the derived class's message map (CDialogImpl).
    virtual bool DispatchMapped(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Runs the dialog manager's default processing of the message being
    // handled right now and returns its result (for example: system commands
    // a WM_SYSCOMMAND handler does not handle itself, or the default painting
    // in a WM_PAINT handler). The handler's own return value is still the
    // message's result.
    LRESULT Default();

private:
    struct CurrentMessage {
        bool active = false;
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Reply(UINT message, LRESULT result);
    void CenterOnFirstOpen();
    HWND ResolveOwner() const;

    UINT m_templateId;
    CWnd* m_pParentWnd;
    NotificationGate m_notifications;
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_modalResult = -1;
    CurrentMessage m_current;
    CurrentMessage m_bypass; // the message Default() hands back to the dialog manager
};

// Base of dialogs with a message map: T declares
//     static const MessageMap<T> kMessageMap;
template <class T> class CDialogImpl : public CDialog {
public:
    using CDialog::CDialog;

    bool RouteCommandUpdate(UINT id, CCmdUI* ui) override {
        return RouteMessageMapUpdate(T::kMessageMap.Rows(), *this, id, ui);
    }

protected:
    bool DispatchMapped(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        static_assert(std::is_base_of_v<CDialogImpl<T>, T>);
        return DispatchMessageMapRows(T::kMessageMap.Rows(), static_cast<T&>(*this), message,
                                      wParam, lParam, result);
    }
};

} // namespace varnholt
