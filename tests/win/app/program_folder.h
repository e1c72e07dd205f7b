#pragma once
// A temporary program folder for one test: config.ini with the shipped first
// values (overridable), the shipped language file, and the program's module
// name pointed at <folder>\Varnholt.exe so the main window reads them.

#include <windows.h>

#include <map>
#include <string>

namespace varnholt::test {

class ProgramFolder {
public:
    // `suffix` ends the folder's name (" with blanks", for example).
    explicit ProgramFolder(const std::wstring& suffix = L"");
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::wstring& Path() const noexcept { return m_path; }
    std::wstring ConfigPath() const { return m_path + L"\\config.ini"; }

    // Writes config.ini: every key with its shipped first value, except those
    // given here.
    void WriteConfig(const std::map<std::wstring, std::wstring>& values);
    void RemoveConfig();
    // A value as the program stores it (the text after the key line).
    std::wstring ReadConfig(const std::wstring& key) const;

    // A folder below the program folder, created on the way.
    std::wstring MakeFolder(const std::wstring& relative) const;

private:
    std::wstring m_path;
};

// Writes `bytes` to a new file, creating its folders.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::string ReadFileBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
// Sets a file's (or folder's) modification time from local calendar fields.
void SetLocalModificationTime(const std::wstring& path, int year, int month, int day, int hour,
                              int minute, int second = 0);
FILETIME ModificationTime(const std::wstring& path);
void RemoveTree(const std::wstring& path);

} // namespace varnholt::test
