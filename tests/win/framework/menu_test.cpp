// Menu texts change in place: the command id, the drop-down and the states
// stay. A loaded menu is owned by its UniqueMenu; views never destroy it.

#include <gtest/gtest.h>

#include "framework/cmd_ui.h"
#include "framework/menu.h"
#include "tests/win/framework/test_resources.h"

namespace varnholt::test {
namespace {

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(loaded); }
    UniqueMenu loaded = LoadMenuResource(IDR_PROBE_MENU);
    CMenu bar{loaded.get()};
};

TEST_F(MenuTest, RenamingADropDownByPositionKeepsItsSubmenu) {
    HMENU file = bar.GetSubMenu(0).m_hMenu;
    EXPECT_TRUE(bar.SetItemTextByPosition(0, L"&Datei"));
    EXPECT_EQ(bar.GetMenuString(0, MF_BYPOSITION), L"&Datei");
    EXPECT_EQ(bar.GetSubMenu(0).m_hMenu, file);
    EXPECT_EQ(bar.GetMenuItemID(0), static_cast<UINT>(-1));

    CMenu dropDown = bar.GetSubMenu(0);
    HMENU recent = dropDown.GetSubMenu(2).m_hMenu;
    EXPECT_TRUE(dropDown.SetItemTextByPosition(2, L"&Zuletzt"));
    EXPECT_EQ(dropDown.GetSubMenu(2).m_hMenu, recent);
    EXPECT_EQ(dropDown.GetMenuItemCount(), 4);
}

TEST_F(MenuTest, RenamingAnItemKeepsItsIdAndStates) {
    CMenu file = bar.GetSubMenu(0);
    EXPECT_TRUE(file.SetItemTextByPosition(3, L"&Beenden"));
    EXPECT_EQ(file.GetMenuItemID(3), static_cast<UINT>(ID_FILE_EXIT));
    EXPECT_TRUE(file.GetMenuState(3, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(file.GetMenuItemID(1), 0u); // the separator

    CMenu help = bar.GetSubMenu(1);
    EXPECT_TRUE(help.SetItemTextByCommand(ID_HELP_ABOUT, L"\u00dcber"));
    EXPECT_EQ(help.GetMenuString(ID_HELP_ABOUT, MF_BYCOMMAND), L"\u00dcber");
    EXPECT_TRUE(help.GetMenuState(ID_HELP_ABOUT, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(MenuTest, PositionOrCommandThatDoesNotExistChangesNothing) {
    CMenu file = bar.GetSubMenu(0);
    EXPECT_FALSE(file.SetItemTextByPosition(9, L"nothing"));
    EXPECT_FALSE(file.SetItemTextByPosition(-1, L"nothing"));
    EXPECT_FALSE(file.SetItemTextByCommand(12345, L"nothing"));
    EXPECT_EQ(file.GetMenuItemCount(), 4);
    EXPECT_EQ(file.GetMenuString(9, MF_BYPOSITION), L"");
}

TEST_F(MenuTest, CmdUiActsOnTheItemAtItsIndex) {
    CCmdUI ui;
    ui.m_menu = bar.GetSubMenu(0);
    ui.m_nIndex = 3;
    ui.m_nID = ID_FILE_EXIT;
    ui.Enable();
    ui.SetCheck(1);
    ui.SetText(L"Quit");
    UINT state = ui.m_menu.GetMenuState(3, MF_BYPOSITION);
    EXPECT_FALSE(state & MF_GRAYED);
    EXPECT_TRUE(state & MF_CHECKED);
    EXPECT_EQ(ui.m_menu.GetMenuString(3, MF_BYPOSITION), L"Quit");
    EXPECT_EQ(ui.m_menu.GetMenuItemID(3), static_cast<UINT>(ID_FILE_EXIT));
    ui.Enable(false);
    EXPECT_TRUE(ui.m_menu.GetMenuState(3, MF_BYPOSITION) & MF_GRAYED);
}

TEST_F(MenuTest, ViewsDestroyNothingAndTheOwnerDestroysTheMenuOnce) {
    HMENU first = loaded.get();
    {
        CMenu view = bar;
        CMenu dropDown = view.GetSubMenu(0);
        EXPECT_EQ(dropDown.GetMenuItemCount(), 4);
    }
    EXPECT_TRUE(::IsMenu(first));
    loaded = LoadMenuResource(IDR_PROBE_MENU); // loading again replaces the old menu
    EXPECT_FALSE(::IsMenu(first));
    EXPECT_TRUE(::IsMenu(loaded.get()));
    EXPECT_FALSE(LoadMenuResource(12345)); // no such menu resource
}

TEST_F(MenuTest, AppendedItemsShowUpAtTheEnd) {
    CMenu help = bar.GetSubMenu(1);
    EXPECT_TRUE(help.AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(help.AppendMenu(MF_STRING, 0x10, L"&Info"));
    EXPECT_EQ(help.GetMenuItemCount(), 3);
    EXPECT_EQ(help.GetMenuItemID(2), 0x10u);
    EXPECT_EQ(help.GetMenuString(2, MF_BYPOSITION), L"&Info");
}

} // namespace
} // namespace varnholt::test
