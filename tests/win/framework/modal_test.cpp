// DoModal's loop ends on OK, Cancel, the close box and the window's
// destruction; dialogs placed at 0,0 are centred once, when they open.

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/message_box_answerer.h"
#include "tests/support/pump.h"
#include "tests/win/framework/probe_dialog.h"

namespace varnholt::test {
namespace {

POINT Centre(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

RECT WorkArea(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

void ExpectSameCentre(const RECT& a, const RECT& b) {
    EXPECT_LE(std::abs(Centre(a).x - Centre(b).x), 1);
    EXPECT_LE(std::abs(Centre(a).y - Centre(b).y), 1);
}

void PostKey(HWND window, WPARAM key) {
    ::PostMessageW(window, WM_KEYDOWN, key, 1);
    ::PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

class ModalTest : public ::testing::Test {
protected:
    void SetUp() override { InitControls(); }
    ProbeDialog dialog;
};

TEST_F(ModalTest, EnterInAnEditEndsWithOkAfterSavingTheControls) {
    dialog.onInit = [](ProbeDialog& self) {
        HWND edit = ::GetDlgItem(self.m_hWnd, IDC_EDIT1);
        ::SetWindowTextW(edit, L"typed");
        PostKey(edit, VK_RETURN);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_text, L"typed");
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(ModalTest, EscapeAndTheCloseBoxEndWithCancelWithoutSaving) {
    dialog.onInit = [](ProbeDialog& self) {
        HWND edit = ::GetDlgItem(self.m_hWnd, IDC_EDIT1);
        ::SetWindowTextW(edit, L"typed");
        PostKey(edit, VK_ESCAPE);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_text, L"");

    ProbeDialog closing;
    closing.onInit = [](ProbeDialog& self) { self.PostMessage(WM_SYSCOMMAND, SC_CLOSE); };
    EXPECT_EQ(closing.DoModal(), IDCANCEL);
}

TEST_F(ModalTest, DestroyingTheWindowEndsTheLoop) {
    dialog.onInit = [](ProbeDialog& self) { self.PostMessage(WM_APP_DESTROY); };
    EXPECT_EQ(dialog.DoModal(), IDABORT);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.calls, std::vector<std::wstring>{L"OnDestroyRequest"});
}

TEST_F(ModalTest, EndDialogDuringStartUpReturnsAtOnce) {
    dialog.onInit = [](ProbeDialog& self) { self.EndDialog(7); };
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(ModalTest, ErrorInsideTheLoopIsReportedAndTheLoopGoesOn) {
    MessageBoxAnswerer answerer;
    dialog.onInit = [](ProbeDialog& self) {
        self.PostMessage(WM_APP_THROW, static_cast<WPARAM>(ThrowKind::BadIndex));
        self.PostMessage(WM_APP_CALLBACK);
    };
    dialog.onCallback = [](ProbeDialog& self) { self.PostMessage(WM_COMMAND, IDOK); };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, L"An invalid argument was encountered.");
}

TEST_F(ModalTest, QuitMessageEndsTheLoopAndIsLeftForTheOuterLoop) {
    dialog.onInit = [](ProbeDialog&) { ::PostQuitMessage(5); };
    EXPECT_EQ(dialog.DoModal(), IDABORT);
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(ModalTest, OwnerIsDisabledWhileOpenAndTheChildIsCentredOnIt) {
    ProbeDialog owner(IDD_PLACED);
    owner.exchangeControls = false;
    ASSERT_TRUE(owner.Create());
    ProbeDialog child(IDD_SMALL, &owner);
    child.exchangeControls = false;
    bool ownerEnabledInside = true;
    RECT childRect{};
    child.onInit = [](ProbeDialog& self) { self.PostMessage(WM_APP_CALLBACK); };
    child.onCallback = [&](ProbeDialog& self) {
        ownerEnabledInside = owner.IsWindowEnabled();
        childRect = WindowRect(self.m_hWnd);
        self.EndDialog(IDOK);
    };
    EXPECT_EQ(child.DoModal(), IDOK);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_TRUE(owner.IsWindowEnabled());
    ExpectSameCentre(childRect, WindowRect(owner.m_hWnd));
}

TEST_F(ModalTest, TemplateAtOriginIsCentredOnTheScreenOnlyWhenItFirstOpens) {
    ASSERT_TRUE(dialog.Create());
    ExpectSameCentre(WindowRect(dialog.m_hWnd), WorkArea(dialog.m_hWnd));

    // Running the start-up again on the live window must not move it.
    dialog.SetWindowPos(nullptr, 10, 12, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.initCount, 2);
    RECT after = WindowRect(dialog.m_hWnd);
    EXPECT_EQ(after.left, 10);
    EXPECT_EQ(after.top, 12);
}

TEST_F(ModalTest, TemplateWithAPositionKeepsIt) {
    ProbeDialog placed(IDD_PLACED);
    placed.exchangeControls = false;
    ASSERT_TRUE(placed.Create());
    RECT units{40, 30, 0, 0};
    ::MapDialogRect(placed.m_hWnd, &units);
    // The template's position places the client area.
    POINT client{0, 0};
    ::ClientToScreen(placed.m_hWnd, &client);
    EXPECT_NEAR(client.x, units.left, 2);
    EXPECT_NEAR(client.y, units.top, 2);
}

} // namespace
} // namespace varnholt::test
