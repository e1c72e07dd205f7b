#pragma once
// A temporary folder for the synchronization tests, removed with everything
// in it at the end of the test. Paths are handed out in the program's form
// (backslashes), as the scan and the copy expect them.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/fail_safe_write.h"
#include "platform/file_times.h"
#include "platform/new_files.h"

namespace varnholt::test {

// FILETIME count of a UTC date and time (proleptic Gregorian calendar).
inline std::int64_t UtcFileTime(int year, int month, int day, int hour, int minute,
                                int second = 0) {
    // Days since 1970-01-01 (Howard Hinnant's days_from_civil).
    int y = month <= 2 ? year - 1 : year;
    int era = (y >= 0 ? y : y - 399) / 400;
    int yoe = y - era * 400;
    int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    std::int64_t days = static_cast<std::int64_t>(era) * 146097 + doe - 719468;
    std::int64_t seconds = days * 86400 + hour * 3600 + minute * 60 + second;
    return kUnixEpochFileTime + seconds * kFileTimeTicksPerSecond;
}

// Calls `seam` whenever a fail-safe write is about to replace its target,
// for as long as it lives (see SetBeforeReplaceForTesting).
class BeforeReplaceScope {
public:
    explicit BeforeReplaceScope(BeforeReplace seam) { SetBeforeReplaceForTesting(std::move(seam)); }
    ~BeforeReplaceScope() { SetBeforeReplaceForTesting(nullptr); }
    BeforeReplaceScope(const BeforeReplaceScope&) = delete;
    BeforeReplaceScope& operator=(const BeforeReplaceScope&) = delete;
};

class SyncTestFolder {
public:
    SyncTestFolder() {
        static std::atomic<int> counter{0};
        auto base = std::filesystem::temp_directory_path();
        m_root = base / ("vh-sync-" + std::to_string(CurrentProcessId()) + "-" +
                         std::to_string(counter.fetch_add(1)));
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root);
        m_path = m_root.wstring();
        for (auto& c : m_path) {
            if (c == L'/') {
                c = L'\\';
            }
        }
        while (!m_path.empty() && m_path.back() == L'\\') {
            m_path.pop_back();
        }
    }
    ~SyncTestFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_root, std::filesystem::perms::all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_root, ignored);
    }
    SyncTestFolder(const SyncTestFolder&) = delete;
    SyncTestFolder& operator=(const SyncTestFolder&) = delete;

    // The folder itself, or a path below it ("sub\\a.txt").
    std::wstring Path(const std::wstring& relative = L"") const {
        return relative.empty() ? m_path : m_path + L"\\" + relative;
    }
    std::filesystem::path Fs(const std::wstring& relative = L"") const {
        std::wstring path = Path(relative);
#ifndef _WIN32
        for (auto& c : path) {
            if (c == L'\\') {
                c = L'/';
            }
        }
#endif
        return std::filesystem::path(path);
    }

    void Write(const std::wstring& relative, const std::string& content) const {
        std::filesystem::create_directories(Fs(relative).parent_path());
        std::ofstream out(Fs(relative), std::ios::binary | std::ios::trunc);
        out << content;
        ASSERT_TRUE(out.good());
    }
    void Write(const std::wstring& relative, const std::string& content, std::int64_t time) const {
        Write(relative, content);
        ASSERT_TRUE(SetFileModificationTime(Path(relative), time));
    }
    std::string Read(const std::wstring& relative) const {
        std::ifstream in(Fs(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void MakeFolder(const std::wstring& relative) const {
        std::filesystem::create_directories(Fs(relative));
    }
    // Names of the entries directly in a folder, sorted.
    std::vector<std::wstring> Names(const std::wstring& relative = L"") const {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(Fs(relative))) {
            names.push_back(entry.path().filename().wstring());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path m_root;
    std::wstring m_path;
};

} // namespace varnholt::test
