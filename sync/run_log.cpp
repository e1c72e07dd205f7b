#include "sync/run_log.h"

#include <cwchar>

#include "base/utf8.h"
#include "platform/new_files.h"

namespace varnholt {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

const wchar_t* HowText(RunStart how) {
    switch (how) {
    case RunStart::ByHand:
        return L"by hand";
    case RunStart::Timer:
        return L"by the timer";
    case RunStart::DriveArrival:
        return L"when a drive arrived";
    case RunStart::CommandLine:
        return L"from the command line";
    }
    return L"";
}

} // namespace

RunLog::RunLog(const std::wstring& folder, RunStart how, std::int64_t startedAt)
    : m_path(folder + L"\\" + kRunLogFileName), m_oldPath(folder + L"\\" + kOldRunLogFileName),
      m_how(how), m_startedAt(startedAt) {}

std::wstring RunLog::Stamp(std::int64_t at) const {
    const LocalFields f = m_clock.LocalFieldsOf(at);
    // Time zones differ from UTC by whole minutes: the seconds are UTC's.
    const auto second = static_cast<int>(at / kFileTimeTicksPerSecond % 60);
    wchar_t text[32] = {};
    std::swprintf(text, 32, L"%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour,
                  f.minute, second);
    return text;
}

bool RunLog::OpenLog() {
    if (!m_file.Open(m_path)) {
        return false;
    }
    if (m_file.Size() >= kRunLogLimit && !m_rotationFailed) {
        m_file.Close();
        // A log another program holds without letting it be renamed goes on
        // growing for this run rather than losing its lines.
        m_rotationFailed = ReplaceFileWith(m_path, m_oldPath) != FileFault::None;
        if (!m_file.Open(m_path)) {
            return false;
        }
    }
    return m_file.Size() != 0 || m_file.Write(kByteOrderMark);
}

void RunLog::WriteLine(std::int64_t at, const std::wstring& text) noexcept {
    if (m_gaveUp) {
        return;
    }
    try {
        if (m_file.IsOpen() && m_file.Size() >= kRunLogLimit && !m_rotationFailed) {
            m_file.Close(); // the next open turns it into the old log
        }
        if (!m_file.IsOpen() && !OpenLog()) {
            m_gaveUp = true;
            return;
        }
        m_file.Write(ToUtf8(Stamp(at) + L"  " + text + L"\r\n"));
    } catch (...) {
        m_gaveUp = true; // out of memory at worst: the log is only a record
    }
}

void RunLog::Note(const std::wstring& text) noexcept {
    try {
        WriteLine(CurrentFileTime(), text);
    } catch (...) {
        m_gaveUp = true;
    }
}

void RunLog::PairSkipped(const std::wstring& folder) noexcept {
    try {
        Note(L"not there, its pair skipped: " + folder);
    } catch (...) {
        m_gaveUp = true; // no memory for the line
    }
}

void RunLog::PairBack(const std::wstring& folder) noexcept {
    try {
        Note(L"there again: " + folder);
    } catch (...) {
        m_gaveUp = true;
    }
}

void RunLog::Copied(const std::wstring& from, const std::wstring& to, bool back) noexcept {
    m_wroteFiles = true;
    try {
        WriteLine(CurrentFileTime(),
                  std::wstring(back ? L"copied second to first  " : L"copied first to second  ") +
                      from + L" -> " + to);
    } catch (...) {
        m_gaveUp = true;
    }
}

void RunLog::Failed(const std::wstring& from, const std::wstring& to,
                    const std::wstring& cause) noexcept {
    m_wroteFiles = true;
    try {
        WriteLine(CurrentFileTime(), L"not copied  " + from + L" -> " + to + L"  (" + cause + L")");
    } catch (...) {
        m_gaveUp = true;
    }
}

void RunLog::Finish(std::size_t copiedForward, std::size_t copiedBack, std::size_t failed,
                    std::int64_t endedAt) noexcept {
    if (!m_wroteFiles) {
        m_file.Close();
        return;
    }
    try {
        const std::int64_t tenths = (endedAt - m_startedAt) / (kFileTimeTicksPerSecond / 10);
        wchar_t duration[32] = {};
        std::swprintf(duration, 32, L"%lld.%lld s", static_cast<long long>(tenths / 10),
                      static_cast<long long>(tenths % 10));
        WriteLine(m_startedAt, std::wstring(L"run ") + HowText(m_how) + L": " +
                                   std::to_wstring(copiedForward) + L" copied first to second, " +
                                   std::to_wstring(copiedBack) + L" second to first, " +
                                   std::to_wstring(failed) + L" not copied, " + duration);
    } catch (...) {
        m_gaveUp = true;
    }
    m_file.Close();
}

} // namespace varnholt
