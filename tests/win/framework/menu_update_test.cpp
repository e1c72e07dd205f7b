// Command-update routing of a popup about to open: which items reach which
// update handler, with which parent, and how removals by a handler are
// stepped over.

#include <gtest/gtest.h>

#include "framework/menu_update.h"
#include "tests/win/framework/probe_dialog.h"

namespace varnholt::test {
namespace {

using Update = ProbeDialog::Update;

class MenuUpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitControls();
        ASSERT_TRUE(dialog.Create());
        // Open, separator, Recent > (One, Two), Exit, About
        owned.reset(::CreatePopupMenu());
        popup = owned.get();
        recent = ::CreatePopupMenu(); // destroyed with the popup that holds it
        ::AppendMenuW(recent, MF_STRING, ID_RECENT_ONE, L"One");
        ::AppendMenuW(recent, MF_STRING, ID_RECENT_TWO, L"Two");
        ::AppendMenuW(popup, MF_STRING, ID_FILE_OPEN, L"&Open");
        ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), L"&Recent");
        ::AppendMenuW(popup, MF_STRING | MF_GRAYED, ID_FILE_EXIT, L"E&xit");
        ::AppendMenuW(popup, MF_STRING | MF_CHECKED, ID_HELP_ABOUT, L"&About");
    }
    ProbeDialog dialog;
    UniqueMenu owned;
    HMENU popup = nullptr;
    HMENU recent = nullptr;
};

TEST_F(MenuUpdateTest, ItemsReachTheirHandlersSubmenusByTheirFirstItemAndSeparatorsNot) {
    RouteMenuPopupUpdates(dialog, CMenu(popup));
    EXPECT_EQ(dialog.updates, (std::vector<Update>{{ID_FILE_OPEN, 0, nullptr},
                                                   {ID_RECENT_ONE, 2, nullptr},
                                                   {ID_HELP_ABOUT, 4, nullptr}}));
    // Exit has no handler and keeps its state; nothing is disabled.
    EXPECT_TRUE(::GetMenuState(popup, 3, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(popup, 4, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(popup, 4, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(::GetMenuState(popup, 2, MF_BYPOSITION) & MF_GRAYED);
    // A handler's text lands on the item routed to it.
    EXPECT_EQ(CMenu(popup).GetMenuString(0, MF_BYPOSITION), L"Open (updated)");
}

TEST_F(MenuUpdateTest, SubmenuWhoseFirstItemIsASeparatorOrASubmenuIsSkipped) {
    ::InsertMenuW(recent, 0, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    RouteMenuPopupUpdates(dialog, CMenu(popup));
    EXPECT_EQ(dialog.updates.size(), 2u);
    ::DeleteMenu(recent, 0, MF_BYPOSITION);

    HMENU nested = ::CreatePopupMenu();
    ::AppendMenuW(nested, MF_STRING, ID_RECENT_TWO, L"Two");
    ::InsertMenuW(recent, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(nested),
                  L"Nested");
    dialog.updates.clear();
    RouteMenuPopupUpdates(dialog, CMenu(popup));
    EXPECT_EQ(dialog.updates.size(), 2u);
}

TEST_F(MenuUpdateTest, ItemsAfterOnesAHandlerRemovedAreStillEachRoutedOnce) {
    // The first handler removes its own item and the separator after it.
    dialog.onUpdate = [](CCmdUI* ui) {
        if (ui->m_nID == ID_FILE_OPEN) {
            ::DeleteMenu(ui->m_menu.m_hMenu, ui->m_nIndex, MF_BYPOSITION);
            ::DeleteMenu(ui->m_menu.m_hMenu, ui->m_nIndex, MF_BYPOSITION);
        }
    };
    RouteMenuPopupUpdates(dialog, CMenu(popup));
    EXPECT_EQ(dialog.updates, (std::vector<Update>{{ID_FILE_OPEN, 0, nullptr},
                                                   {ID_RECENT_ONE, 0, nullptr},
                                                   {ID_HELP_ABOUT, 2, nullptr}}));

    // A handler further down removes itself: the item after it moves up and
    // is routed next, and nothing is offered twice.
    dialog.updates.clear();
    dialog.onUpdate = [](CCmdUI* ui) {
        if (ui->m_nID == ID_RECENT_ONE) {
            ::DeleteMenu(ui->m_menu.m_hMenu, ui->m_nIndex, MF_BYPOSITION);
        }
    };
    ::InsertMenuW(popup, 1, MF_BYPOSITION | MF_STRING, ID_RECENT_TWO, L"Two, again");
    // Recent (routed as One), Two again, Exit, About
    RouteMenuPopupUpdates(dialog, CMenu(popup));
    EXPECT_EQ(dialog.updates, (std::vector<Update>{{ID_RECENT_ONE, 0, nullptr},
                                                   {ID_RECENT_TWO, 0, nullptr},
                                                   {ID_HELP_ABOUT, 2, nullptr}}));
}

TEST_F(MenuUpdateTest, ParentIsTheMenuBarForItsDropDownsAndTheShortcutMenuForItself) {
    CMenu bar = dialog.GetMenu();
    CMenu file = bar.GetSubMenu(0);
    EXPECT_EQ(FindPopupParent(dialog.m_hWnd, file).m_hMenu, bar.m_hMenu);
    EXPECT_EQ(FindPopupParent(dialog.m_hWnd, CMenu(popup)).m_hMenu, nullptr);
    EXPECT_EQ(FindPopupParent(dialog.m_hWnd, dialog.GetSystemMenu(false)).m_hMenu, nullptr);

    RouteMenuPopupUpdates(dialog, file);
    ASSERT_FALSE(dialog.updates.empty());
    EXPECT_EQ(dialog.updates[0].parent, bar.m_hMenu);

    // While shown as a shortcut menu, the popup is its own parent.
    dialog.updates.clear();
    dialog.routePopups = true;
    ::SetTimer(dialog.m_hWnd, 98, 50, [](HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); });
    ::SetForegroundWindow(dialog.m_hWnd);
    CMenu(popup).TrackPopupMenu(TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, 100, 300, dialog.m_hWnd);
    ::KillTimer(dialog.m_hWnd, 98);
    ASSERT_FALSE(dialog.updates.empty());
    EXPECT_EQ(dialog.updates[0].parent, popup);
}

} // namespace
} // namespace varnholt::test
