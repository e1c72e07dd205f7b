// An error raised in a handler is shown in a stop box owned by the dialog,
// captioned with the program's name, and the dialog goes on running.

#include <gtest/gtest.h>

#include <stdexcept>

#include "base/errors.h"
#include "framework/error_report.h"
#include "framework/win_app.h"
#include "tests/support/message_box_answerer.h"
#include "tests/win/framework/probe_dialog.h"

namespace varnholt::test {
namespace {

class ErrorDispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitControls();
        ASSERT_TRUE(dialog.Create());
    }

    // Raises `kind` in a handler; returns the one box that was shown.
    ShownDialog Raise(ThrowKind kind) {
        MessageBoxAnswerer answerer;
        ::SendMessageW(dialog.m_hWnd, WM_APP_THROW, static_cast<WPARAM>(kind), 0);
        EXPECT_EQ(answerer.Count(), 1u);
        return answerer.Count() > 0 ? answerer.Shown()[0] : ShownDialog{};
    }

    ProbeDialog dialog;
};

TEST_F(ErrorDispatchTest, MissingFileNamesTheFullPathInAStopBoxOwnedByTheDialog) {
    ShownDialog box = Raise(ThrowKind::FileNotFound);
    EXPECT_EQ(box.text, L"C:\\Sync\\config.ini was not found.");
    EXPECT_EQ(box.caption, L"framework_tests");
    EXPECT_EQ(box.owner, dialog.m_hWnd);
    EXPECT_TRUE(box.HasStopIcon());
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});

    // Still running: the next message is handled normally.
    EXPECT_EQ(::SendMessageW(dialog.m_hWnd, WM_APP_ADD, 1, 2), 3);
    EXPECT_TRUE(dialog.IsWindow());
}

TEST_F(ErrorDispatchTest, ListIndexErrorShowsTheInvalidArgumentText) {
    EXPECT_EQ(Raise(ThrowKind::BadIndex).text, L"An invalid argument was encountered.");
}

TEST_F(ErrorDispatchTest, OtherExceptionsShowTheirTextOrAGenericOne) {
    EXPECT_EQ(Raise(ThrowKind::Standard).text, L"disk on fire");
    ShownDialog box = Raise(ThrowKind::Unknown);
    EXPECT_EQ(box.text, L"An unexpected error occurred.");
    EXPECT_TRUE(box.HasStopIcon());
    EXPECT_EQ(dialog.calls.size(), 2u);
}

TEST_F(ErrorDispatchTest, ErrorDuringStartUpLeavesTheWindowOpen) {
    MessageBoxAnswerer answerer;
    ProbeDialog failing;
    failing.onInit = [](ProbeDialog&) {
        throw FileError(FileFault::Missing, L"C:\\Prog\\Varnholttrl.ini");
    };
    ASSERT_TRUE(failing.Create());
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, L"C:\\Prog\\Varnholttrl.ini was not found.");
    EXPECT_EQ(answerer.Shown()[0].owner, failing.m_hWnd);
    EXPECT_TRUE(failing.IsWindowVisible());
}

TEST_F(ErrorDispatchTest, AnswererReadsABoxWithoutIconAndThePressedButton) {
    MessageBoxAnswerer answerer;
    answerer.Press(IDNO);
    int pressed = ::MessageBoxW(dialog.m_hWnd, L"Question", L"Caption", MB_YESNO);
    EXPECT_EQ(pressed, IDNO);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].icon, nullptr);
    EXPECT_EQ(answerer.Shown()[0].caption, L"Caption");
    EXPECT_EQ(answerer.Shown()[0].buttons, (std::vector<int>{IDYES, IDNO}));
}

TEST(ErrorReportTest, AppNameIsTheProgramBaseNameAndCallbacksSwallowErrors) {
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxGetAppName(), L"framework_tests");
    MessageBoxAnswerer answerer;
    EXPECT_FALSE(CallReportingErrors(nullptr, [] { throw InvalidArgumentError(); }));
    EXPECT_TRUE(CallReportingErrors(nullptr, [] {}));
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, L"An invalid argument was encountered.");
}

} // namespace
} // namespace varnholt::test
