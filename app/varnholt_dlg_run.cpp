// The synchronization run: two passes over all folder pairs, first folders
// into second folders, then back, with the status line showing its progress.

#include "app/varnholt_dlg.h"
#include "i18n/catalogue_format.h"
#include "i18n/text_ids.h"
#include "sync/file_compare.h"
#include "sync/folder_scan.h"
#include "sync/run_paths.h"

namespace varnholt {

void CVarnholtDlg::OnStartSyncNow() {
    // Something inside a run that lets messages through (a dialog of the
    // shell's copy) must not start another run over the lists in use.
    if (m_runUnderWay) {
        return;
    }
    m_runUnderWay = true;
    struct RunEnd {
        bool& flag;
        ~RunEnd() { flag = false; }
    } runEnd{m_runUnderWay};

    // The time zone is read once per run; every file of the run is compared
    // with the same rules.
    const SyncClock clock;
    m_clock = &clock;
    struct ClockReset {
        CVarnholtDlg* dlg;
        ~ClockReset() { dlg->m_clock = nullptr; }
    } reset{this};

    // A second list shorter than the first stops the run here, before any
    // file is touched: GetAt raises the invalid-argument error.
    m_runFrom.RemoveAll();
    m_runTo.RemoveAll();
    for (std::size_t i = 0; i < m_folders1.GetSize(); ++i) {
        m_runFrom.Add(m_folders1.GetAt(i));
        m_runTo.Add(m_folders2.GetAt(i));
    }
    SyncPass();

    m_runFrom.RemoveAll();
    m_runTo.RemoveAll();
    for (std::size_t i = 0; i < m_folders1.GetSize(); ++i) {
        m_runTo.Add(m_folders1.GetAt(i));
        m_runFrom.Add(m_folders2.GetAt(i));
    }
    SyncPass();

    if (!m_scheduledRun) {
        ShowMessage(m_translation.GetText(text::kRunFinishedMessage));
    }
    m_status = m_translation.GetText(text::kRunFinishedStatus);
    PushFieldsAndPaintStatus();
}

void CVarnholtDlg::SyncPass() {
    m_status = FormatCataloguePlain(m_translation.GetText(text::kPassStarts));
    PushFieldsAndPaintStatus();

    for (std::size_t i = 0; i < m_runFrom.GetSize(); ++i) {
        const std::wstring from = m_runFrom.GetAt(i);
        const std::wstring to = m_runTo.GetAt(i);

        m_status = m_translation.GetText(text::kScanningFolders);
        PushFieldsAndPaintStatus();

        m_fileList.RemoveAll();
        ScanFolder(from);

        m_status = m_translation.GetText(text::kCopyingFiles);
        PushFieldsAndPaintStatus();

        for (const auto& file : m_fileList) {
            SyncFile(file, TargetPath(to, RelativePart(file, from)));
        }
    }
}

void CVarnholtDlg::ScanFolder(const std::wstring& scanArgument) {
    ScanFolderTree(scanArgument, m_fileList, [this] { UpdateData(FALSE); });
}

void CVarnholtDlg::SyncFile(const std::wstring& from, const std::wstring& to) {
    if (m_clock) {
        ::varnholt::SyncFile(from, to, *m_clock);
    } else {
        ::varnholt::SyncFile(from, to, SyncClock());
    }
}

void CVarnholtDlg::PushFieldsAndPaintStatus() {
    UpdateData(FALSE);
    // The run keeps the message loop busy: paint the status line now, so each
    // text is seen while the run works.
    GetDlgItem(IDC_STATUS).UpdateWindow();
}

} // namespace varnholt
