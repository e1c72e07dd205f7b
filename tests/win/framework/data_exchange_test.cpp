// Data exchange moves member values in and out of the controls; the list
// view and combo box views do what the program asks of them.

#include <gtest/gtest.h>

#include "base/errors.h"
#include "tests/win/framework/probe_dialog.h"

namespace varnholt::test {
namespace {

class DataExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitControls();
        ASSERT_TRUE(dialog.Create());
        for (const wchar_t* name : {L"English", L"Deutsch", L"Espa\u00f1ol", L"eesti"}) {
            dialog.m_combo.AddString(name);
        }
    }

    std::wstring EditFieldOfCombo() { return dialog.m_combo.GetWindowText(); }

    ProbeDialog dialog;
};

TEST_F(DataExchangeTest, TextAndCheckGoBothWays) {
    dialog.m_text = L"first";
    dialog.m_check = 1;
    dialog.UpdateData(FALSE);
    EXPECT_EQ(dialog.GetDlgItemText(IDC_EDIT1), L"first");
    EXPECT_EQ(dialog.m_tick.GetCheck(), BST_CHECKED);

    dialog.SetDlgItemText(IDC_EDIT1, L"second");
    dialog.m_tick.SetCheck(BST_UNCHECKED);
    dialog.UpdateData(TRUE);
    EXPECT_EQ(dialog.m_text, L"second");
    EXPECT_EQ(dialog.m_check, 0);

    dialog.m_check = 5;
    EXPECT_THROW(dialog.UpdateData(FALSE), InvalidArgumentError);
}

TEST_F(DataExchangeTest, ComboLoadSelectsTheFirstItemStartingWithTheValueIgnoringCase) {
    dialog.m_choice = L"ENG";
    dialog.UpdateData(FALSE);
    ASSERT_NE(dialog.m_combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(dialog.m_combo.GetLBText(dialog.m_combo.GetCurSel()), L"English");
    EXPECT_EQ(EditFieldOfCombo(), L"English");

    // Sorted: eesti, English, Espa\u00f1ol; "e" picks the first of them.
    dialog.m_choice = L"e";
    dialog.UpdateData(FALSE);
    EXPECT_EQ(dialog.m_combo.GetLBText(dialog.m_combo.GetCurSel()), L"eesti");
}

TEST_F(DataExchangeTest, ComboLoadWithoutAMatchPutsTheTextIntoTheEditFieldUnselected) {
    dialog.m_choice = L"Deu";
    dialog.UpdateData(FALSE);
    dialog.m_choice = L"System default language";
    dialog.UpdateData(FALSE);
    EXPECT_EQ(dialog.m_combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(EditFieldOfCombo(), L"System default language");

    dialog.m_combo.SetWindowText(L"Typed name");
    dialog.UpdateData(TRUE);
    EXPECT_EQ(dialog.m_choice, L"Typed name");
}

TEST_F(DataExchangeTest, ComboItemOutsideTheListIsAnInvalidArgument) {
    EXPECT_EQ(dialog.m_combo.GetCount(), 4);
    EXPECT_THROW(dialog.m_combo.GetLBText(4), InvalidArgumentError);
    EXPECT_THROW(dialog.m_combo.GetLBText(-1), InvalidArgumentError);
    dialog.m_combo.ResetContent();
    EXPECT_EQ(dialog.m_combo.GetCount(), 0);
}

TEST_F(DataExchangeTest, ListViewColumnsRowsAndSelectionMark) {
    CListCtrl& list = dialog.m_list;
    EXPECT_EQ(list.InsertColumn(0, L"First folder", LVCFMT_LEFT, 280), 0);
    EXPECT_EQ(list.InsertColumn(1, L"Second folder", LVCFMT_LEFT, 280), 1);
    EXPECT_EQ(list.GetColumnCount(), 2);
    EXPECT_EQ(list.GetColumnText(1), L"Second folder");
    EXPECT_EQ(list.GetColumnWidth(0), 280);
    EXPECT_TRUE(list.SetColumnWidth(0, 120));
    EXPECT_EQ(list.GetColumnWidth(0), 120);

    std::wstring longText(700, L'x');
    EXPECT_EQ(list.InsertItem(0, L"C:\\A\\..."), 0);
    EXPECT_EQ(list.InsertItem(1, longText), 1);
    EXPECT_TRUE(list.SetItemText(0, 1, L"D:\\B\\..."));
    EXPECT_EQ(list.GetItemText(0, 1), L"D:\\B\\...");
    EXPECT_EQ(list.GetItemText(1, 0), longText);
    EXPECT_EQ(list.GetItemCount(), 2);

    EXPECT_EQ(list.GetSelectionMark(), -1);
    list.SetSelectionMark(1);
    EXPECT_EQ(list.GetSelectionMark(), 1);
    EXPECT_TRUE(list.EnsureVisible(1, FALSE));

    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    EXPECT_EQ(list.GetExtendedStyle(), static_cast<DWORD>(LVS_EX_FULLROWSELECT));

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemText(0, 0), longText);
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_TRUE(list.DeleteColumn(0));
    EXPECT_TRUE(list.DeleteColumn(0));
    EXPECT_FALSE(list.DeleteColumn(0));
    EXPECT_EQ(list.GetColumnCount(), 0);
}

TEST_F(DataExchangeTest, MissingControlIsAnInvalidArgument) {
    dialog.onExchange = [](ProbeDialog& self) {
        CDataExchange exchange(&self, false);
        std::wstring text;
        DDX_Text(&exchange, 4242, text);
    };
    EXPECT_THROW(dialog.UpdateData(FALSE), InvalidArgumentError);
}

} // namespace
} // namespace varnholt::test
