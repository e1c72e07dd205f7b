// The folder-pair list of the main window: its columns and rows, the two
// pair lists, and their stored form in Folders1 and Folders2.

#include "app/folder_browser.h"
#include "app/varnholt_dlg.h"
#include "base/scope_exit.h"
#include "base/text_numbers.h"
#include "i18n/catalogue_format.h"
#include "i18n/text_ids.h"
#include "sync/folder_entry.h"
#include "sync/folder_list_value.h"

namespace varnholt {

namespace {

constexpr int kMaxShownLength = 50;
constexpr int kHeadWhenLoaded = 10;
constexpr int kHeadWhenAdded = 15;

} // namespace

void CVarnholtDlg::LoadFolderPairs() {
    // Deleting column 0 twice removes both columns when they exist.
    m_pairList.DeleteColumn(0);
    m_pairList.DeleteColumn(0);
    m_pairList.InsertColumn(0, m_translation.GetText(text::kFirstColumn), LVCFMT_LEFT);
    m_pairList.InsertColumn(1, m_translation.GetText(text::kSecondColumn), LVCFMT_LEFT);
    // 280 pixels each at 100 % (varnholt_dlg_layout.cpp).
    const int columnWidth = PairColumnWidth();
    m_pairList.SetColumnWidth(0, columnWidth);
    m_pairList.SetColumnWidth(1, columnWidth);

    m_pairList.DeleteAllItems();
    m_folders1.RemoveAll();
    m_folders2.RemoveAll();

    const CStringArray first =
        DecodeFolderListValue(m_power.ReadConfigValue(ConfigKeys::kFolders1));
    for (const auto& entry : first) {
        m_folders1.Add(entry);
        m_pairList.InsertItem(m_pairList.GetItemCount(),
                              ShortenText(entry, kMaxShownLength, kHeadWhenLoaded));
    }

    const CStringArray second =
        DecodeFolderListValue(m_power.ReadConfigValue(ConfigKeys::kFolders2));
    int row = 0;
    for (const auto& entry : second) {
        m_folders2.Add(entry);
        // A second list longer than the first has no row for its extra entries.
        m_pairList.SetItemText(row, 1, ShortenText(entry, kMaxShownLength, kHeadWhenLoaded));
        ++row;
    }

    m_pairList.SetExtendedStyle(LVS_EX_FULLROWSELECT);
}

bool CVarnholtDlg::SayPairIncomplete() {
    if (!m_addingPair) {
        return false;
    }
    ShowMessage(m_translation.GetTextOr(
        text::kPairIncomplete,
        L"The new folder pair is not complete yet: choose its folders first."));
    return true;
}

void CVarnholtDlg::OnAddFolders() {
    // The folder dialogs have no owner, so the window takes clicks while
    // they are open: a second Add would pair its folders crosswise.
    if (SayPairIncomplete()) {
        return;
    }
    const auto adding = FlagForScope(m_addingPair);
    // The tray's exit can end the window while Add waits for the user; the
    // rest of Add is dropped then.
    ShowMessage(JoinParagraphs(m_translation.GetText(text::kFirstFolderIntro),
                               m_translation.GetText(text::kFirstFolderDetail)));
    std::wstring path;
    if (HasEnded() || !BrowseForFolder(m_translation.GetText(text::kBrowseInstruction), path) ||
        HasEnded()) {
        return;
    }

    // The first folder is shown and stored at once, before the second is
    // asked for.
    const std::wstring first = MakeFolderEntry(path);
    const int row = m_pairList.InsertItem(m_pairList.GetItemCount(),
                                          ShortenText(first, kMaxShownLength, kHeadWhenAdded));
    m_pairList.EnsureVisible(row, TRUE);
    m_folders1.Add(first);
    StoreFolderList(ConfigKeys::kFolders1, m_folders1);

    ShowMessage(JoinParagraphs(m_translation.GetText(text::kSecondFolderIntro),
                               m_translation.GetText(text::kSecondFolderDetail)));
    if (HasEnded() || !BrowseForFolder(m_translation.GetText(text::kBrowseInstruction), path) ||
        HasEnded()) {
        // Take the half-made pair back: row, list entry and stored value, so
        // that the stored lists keep their lengths equal.
        const int last = m_pairList.GetItemCount() - 1;
        m_pairList.DeleteItem(last);
        m_folders1.RemoveAt(m_folders1.GetSize() - 1);
        m_power.WriteConfigValue(ConfigKeys::kFolders1, DropLastStoredEntry(m_power.ReadConfigValue(
                                                            ConfigKeys::kFolders1)));
        return;
    }

    const std::wstring second = MakeFolderEntry(path);
    const int last = m_pairList.GetItemCount() - 1;
    m_pairList.SetItemText(last, 1, ShortenText(second, kMaxShownLength, kHeadWhenAdded));
    m_pairList.EnsureVisible(last, TRUE);
    m_folders2.Add(second);
    StoreFolderList(ConfigKeys::kFolders2, m_folders2);

    UpdateData(TRUE);
}

void CVarnholtDlg::OnRemoveFolders() {
    // The half-made pair of an Add under way is not a row to remove.
    if (SayPairIncomplete()) {
        return;
    }
    const int mark = m_pairList.GetSelectionMark();
    if (mark == -1) {
        ShowMessage(m_translation.GetText(text::kNoPairSelected));
        return;
    }
    m_folders1.RemoveAt(static_cast<std::size_t>(mark));
    m_folders2.RemoveAt(static_cast<std::size_t>(mark));
    m_pairList.DeleteItem(mark);

    StoreFolderList(ConfigKeys::kFolders1, m_folders1);
    StoreFolderList(ConfigKeys::kFolders2, m_folders2);

    if (m_pairList.GetItemCount() == 0) {
        OnInitDialog();
    }
}

void CVarnholtDlg::StoreFolderList(ConfigKey key, const CStringArray& list) {
    m_power.WriteConfigValue(key, EncodeFolderListValue(list));
}

} // namespace varnholt
