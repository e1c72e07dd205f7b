#pragma once
// The one temporary folder of the tests: a fresh folder for one test, removed
// with everything in it afterwards, with helpers to write and read raw bytes.
// Paths are handed out in the program's own form (backslashes), as the
// program's functions take them, natively too (the POSIX layer turns them
// into '/' paths); Fs() gives the same place for std::filesystem.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/fail_safe_write.h"
#include "platform/file_times.h"

namespace varnholt::test {

// FILETIME count of a UTC date and time (proleptic Gregorian calendar).
inline std::int64_t UtcFileTime(int year, int month, int day, int hour, int minute,
                                int second = 0) {
    // Days since 1970-01-01 (Howard Hinnant's days_from_civil).
    const int y = month <= 2 ? year - 1 : year;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const std::int64_t days = static_cast<std::int64_t>(era) * 146097 + doe - 719468;
    const std::int64_t seconds = days * 86400 + hour * 3600 + minute * 60 + second;
    return kUnixEpochFileTime + seconds * kFileTimeTicksPerSecond;
}

class TestFolder {
public:
    TestFolder() {
        static std::atomic<unsigned> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_root = std::filesystem::temp_directory_path() /
                 ("varnholt-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(m_root);
        m_path = m_root.wstring();
        std::replace(m_path.begin(), m_path.end(), L'/', L'\\');
        while (!m_path.empty() && m_path.back() == L'\\') {
            m_path.pop_back();
        }
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_root, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_root, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder itself, or a path below it ("sub\\a.txt").
    std::wstring Path(const std::wstring& relative = L"") const {
        return relative.empty() ? m_path : m_path + L"\\" + relative;
    }
    std::filesystem::path Fs(const std::wstring& relative = L"") const {
        std::wstring path = Path(relative);
#ifndef _WIN32
        std::replace(path.begin(), path.end(), L'\\', L'/');
#endif
        return std::filesystem::path(path);
    }

    void Write(const std::wstring& relative, const std::string& bytes) const {
        std::filesystem::create_directories(Fs(relative).parent_path());
        std::ofstream out(Fs(relative), std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    // Writes and sets the last-modification time.
    void Write(const std::wstring& relative, const std::string& bytes, std::int64_t time) const {
        Write(relative, bytes);
        ASSERT_TRUE(SetFileModificationTime(Path(relative), time)) << "cannot set the time";
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
    // Number of entries directly in the folder (to find files left behind).
    std::size_t Count() const {
        return Names().size();
    }

private:
    std::filesystem::path m_root;
    std::wstring m_path;
};

// Calls `seam` whenever a fail-safe write is about to replace its target,
// for as long as it lives (see SetBeforeReplaceForTesting).
class BeforeReplaceScope {
public:
    explicit BeforeReplaceScope(BeforeReplace seam) { SetBeforeReplaceForTesting(std::move(seam)); }
    ~BeforeReplaceScope() { SetBeforeReplaceForTesting(nullptr); }
    BeforeReplaceScope(const BeforeReplaceScope&) = delete;
    BeforeReplaceScope& operator=(const BeforeReplaceScope&) = delete;
};

} // namespace varnholt::test
