#pragma once
// A fresh temporary folder for one test, removed again afterwards, with
// helpers to write and read raw bytes. Paths are wide texts in the form the
// program itself uses: Windows paths under Wine, '/' paths natively.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace varnholt::testing {

class TestFolder {
public:
    TestFolder() {
        static std::atomic<unsigned> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = std::filesystem::temp_directory_path() /
                 ("varnholt-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(m_path);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }

    const std::filesystem::path& Path() const { return m_path; }
    // Wide path of the folder, as the program would spell it.
    std::wstring Folder() const { return m_path.wstring(); }
    // Wide path of a file in the folder, joined with a backslash the way the
    // program joins its own paths (the POSIX layer turns it into '/').
    std::wstring File(const std::wstring& name) const { return Folder() + L"\\" + name; }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(m_path / name, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(m_path / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Number of entries in the folder (to find temporary files left behind).
    std::size_t Count() const {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_path)) {
            ++count;
        }
        return count;
    }

private:
    std::filesystem::path m_path;
};

} // namespace varnholt::testing
