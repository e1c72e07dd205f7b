// Handle owners free exactly once; the application object registers itself.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/win_app.h"
#include "platform/handles.h"

namespace varnholt::test {
namespace {

std::vector<int> g_closed;

struct CountingTraits {
    using Handle = int;
    static constexpr int Invalid() noexcept { return 0; }
    static void Close(int handle) noexcept { g_closed.push_back(handle); }
};
using CountingHandle = UniqueHandle<CountingTraits>;

TEST(UniqueHandleTest, MoveAssignmentClosesTheOldHandleAndMovesOwnership) {
    g_closed.clear();
    {
        CountingHandle a(1);
        CountingHandle b(2);
        a = std::move(b);
        EXPECT_EQ(g_closed, std::vector<int>{1});
        EXPECT_EQ(a.get(), 2);
        EXPECT_FALSE(b);
        a = std::move(a); // self-move keeps the handle
        EXPECT_EQ(a.get(), 2);
        CountingHandle c(std::move(a));
        EXPECT_EQ(c.get(), 2);
        EXPECT_EQ(c.release(), 2);
        c.reset(3);
        c.reset(3); // the same handle again is not closed
    }
    EXPECT_EQ(g_closed, (std::vector<int>{1, 3}));
}

TEST(UniqueHandleTest, RealFileAndBrushHandlesAreClosed) {
    UniqueFile file(::CreateFileW(L"framework_handle_test.tmp", GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    ASSERT_TRUE(file);
    HANDLE raw = file.get();
    file = UniqueFile();
    EXPECT_FALSE(file);
    DWORD flags = 0;
    EXPECT_FALSE(::GetHandleInformation(raw, &flags));
    EXPECT_EQ(::GetFileAttributesW(L"framework_handle_test.tmp"), INVALID_FILE_ATTRIBUTES);

    UniqueFind none(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(none);

    UniqueGdiObject brush(::CreateSolidBrush(RGB(1, 2, 3)));
    HGDIOBJ first = brush.get();
    brush = UniqueGdiObject(::CreateSolidBrush(RGB(4, 5, 6)));
    EXPECT_EQ(::GetObjectType(first), 0u);
    EXPECT_EQ(::GetObjectType(brush.get()), static_cast<DWORD>(OBJ_BRUSH));

    UniqueKey key;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.put()),
              ERROR_SUCCESS);
    EXPECT_TRUE(key);
}

TEST(WinAppTest, TheApplicationObjectRegistersItselfAndNamesTheErrorBoxes) {
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxGetInstanceHandle(), ::GetModuleHandleW(nullptr));
    {
        CWinApp app;
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(AfxGetAppName(), L"framework_tests");
        app.m_pszAppName = L"Named";
        EXPECT_EQ(AfxGetAppName(), L"Named");
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
}

} // namespace
} // namespace varnholt::test
