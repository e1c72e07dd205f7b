#pragma once
// A temporary program folder for one test (Windows): config.ini as shipped
// (resources/config.ini) with the values a test gives instead, the shipped
// language file, and the program's module name pointed at
// <folder>\Varnholt.exe so the main window reads them. Plus the file helpers
// the window tests use.

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
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }
    std::wstring ConfigPath() const { return File(L"config.ini"); }

    // Writes config.ini: the shipped file, each given key's value replaced
    // (a key the shipped file lacks is added at the end).
    void WriteConfig(const std::map<std::wstring, std::wstring>& values);
    void RemoveConfig();
    // A value as the program stores it (the text after the key line).
    std::wstring ReadConfig(const std::wstring& key) const;

    // Takes the entries numbered `first` to `last` out of every section of
    // the language file: a file translated before those texts existed.
    void RemoveLanguageEntries(int first, int last) const;

    // A folder below the program folder, created on the way.
    std::wstring MakeFolder(const std::wstring& relative) const;
    // Copies a file (a built program, say) into the folder as `name`.
    void CopyIn(const std::wstring& from, const std::wstring& name) const;

private:
    std::wstring m_path;
};

// A path of the shipped resources folder (resources/).
std::wstring ShippedFile(const std::wstring& name);

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
