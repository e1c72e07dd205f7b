// Data exchange runs with control notifications off; commands still pass.

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/pump.h"
#include "tests/win/framework/probe_dialog.h"

namespace varnholt::test {
namespace {

class NotificationGuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitControls();
        ASSERT_TRUE(dialog.Create());
        dialog.editChanges = 0;
    }

    ProbeDialog dialog;
};

TEST_F(NotificationGuardTest, LoadingTheControlsSendsNoChangeToTheHandler) {
    dialog.m_text = L"from the member";
    dialog.UpdateData(FALSE);
    EXPECT_EQ(dialog.GetDlgItemText(IDC_EDIT1), L"from the member");
    EXPECT_EQ(dialog.editChanges, 0);

    // The same change made outside data exchange is a user-visible change.
    ::SetDlgItemTextW(dialog.m_hWnd, IDC_EDIT1, L"by hand");
    EXPECT_EQ(dialog.editChanges, 1);
}

TEST_F(NotificationGuardTest, NestedExchangeKeepsNotificationsOffUntilTheOuterOneEnds) {
    int depthInside = 0;
    dialog.onExchange = [&](ProbeDialog& self) {
        self.onExchange = nullptr;
        self.UpdateData(FALSE); // nested
        ::SetDlgItemTextW(self.m_hWnd, IDC_EDIT1, L"after the nested exchange");
        depthInside = self.GetNotificationGate().Depth();
    };
    dialog.UpdateData(FALSE);
    EXPECT_EQ(depthInside, 1);
    EXPECT_EQ(dialog.editChanges, 0);
    EXPECT_FALSE(dialog.GetNotificationGate().IsBlocked());
}

TEST_F(NotificationGuardTest, AnErrorInsideTheExchangeReopensTheGate) {
    dialog.onExchange = [](ProbeDialog&) { throw std::runtime_error("broken exchange"); };
    EXPECT_THROW(dialog.UpdateData(FALSE), std::runtime_error);
    EXPECT_FALSE(dialog.GetNotificationGate().IsBlocked());
    ::SetDlgItemTextW(dialog.m_hWnd, IDC_EDIT1, L"typed");
    EXPECT_EQ(dialog.editChanges, 1);
}

TEST_F(NotificationGuardTest, MenuCommandsAndOkPassWhileControlNotificationsAreDropped) {
    NotificationGuard guard(dialog.GetNotificationGate());
    HWND window = dialog.m_hWnd;

    ::SetDlgItemTextW(window, IDC_EDIT1, L"ignored");
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_RUN, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, IDC_RUN)));
    NMHDR header{::GetDlgItem(window, IDC_LIST), IDC_LIST, static_cast<UINT>(NM_CLICK)};
    ::SendMessageW(window, WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(dialog.editChanges, 0);
    EXPECT_EQ(dialog.notifyCode, 0u);

    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(ID_FILE_OPEN, 0), 0); // menu
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(ID_FILE_OPEN, 1), 0); // accelerator
    EXPECT_EQ(dialog.calls, (std::vector<std::wstring>{L"OnOpen", L"OnOpen"}));

    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, IDOK)));
    EXPECT_EQ(dialog.GetModalResult(), IDOK);
}

TEST_F(NotificationGuardTest, CancelFromTheButtonPassesToo) {
    NotificationGuard guard(dialog.GetNotificationGate());
    ::SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, IDCANCEL)));
    EXPECT_EQ(dialog.GetModalResult(), IDCANCEL);
}

} // namespace
} // namespace varnholt::test
