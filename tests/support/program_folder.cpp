#include "tests/support/program_folder.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <stdexcept>

#include "base/latin1_lines.h"
#include "platform/handles.h"
#include "platform/program_path.h"
#include "platform/text_files.h"
#include "settings/config_lines.h"

namespace varnholt::test {

namespace {

std::atomic<int> g_folderCounter{0};

void CreateFolders(const std::wstring& path) {
    for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos;
         at = path.find(L'\\', at + 1)) {
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryW(path.c_str(), nullptr);
}

} // namespace

std::wstring ShippedFile(const std::wstring& name) {
    std::wstring folder = VARNHOLT_SHIPPED_FOLDER;
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    return folder + L"\\" + name;
}

ProgramFolder::ProgramFolder(const std::wstring& suffix) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"varnholt-app-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(++g_folderCounter) + suffix;
    RemoveTree(m_path);
    CreateFolders(m_path);
    CopyIn(ShippedFile(L"Varnholttrl.ini"), L"Varnholttrl.ini");
    WriteConfig({});
    SetModuleFileNameForTesting(File(L"Varnholt.exe"));
}

ProgramFolder::~ProgramFolder() {
    SetModuleFileNameForTesting(L"");
    RemoveTree(m_path);
}

void ProgramFolder::WriteConfig(const std::map<std::wstring, std::wstring>& values) {
    std::vector<std::wstring> lines = DecodeLatin1Lines(ReadFileBytes(ShippedFile(L"config.ini")));
    auto missing = values;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        if (auto given = missing.find(lines[i]); given != missing.end()) {
            lines[i + 1] = given->second;
            missing.erase(given);
        }
    }
    for (const auto& [key, value] : missing) {
        lines.push_back(key);
        lines.push_back(value);
    }
    WriteFileBytes(ConfigPath(), EncodeLatin1Lines(lines));
}

void ProgramFolder::RemoveConfig() {
    DeleteFileW(ConfigPath().c_str());
}

void ProgramFolder::RemoveLanguageEntries(int first, int last) const {
    const std::wstring path = File(L"Varnholttrl.ini");
    const std::string language = ReadFileBytes(path);
    std::string kept;
    for (std::size_t at = 0; at < language.size();) {
        const std::size_t end = std::min(language.find('\n', at), language.size() - 1);
        const std::string line = language.substr(at, end - at + 1);
        const bool entry =
            line.size() > 6 && std::isdigit(static_cast<unsigned char>(line[0])) && line[5] == ' ';
        const int number = entry ? std::stoi(line.substr(0, 5)) : -1;
        if (number < first || number > last) {
            kept += line;
        }
        at = end + 1;
    }
    WriteFileBytes(path, kept);
}

std::wstring ProgramFolder::ReadConfig(const std::wstring& key) const {
    // Read as the file stands, with the settings file's own line rules.
    return ConfigValueIn(ReadLatin1Lines(ConfigPath()), key);
}

std::wstring ProgramFolder::MakeFolder(const std::wstring& relative) const {
    const std::wstring path = File(relative);
    CreateFolders(path);
    return path;
}

void ProgramFolder::CopyIn(const std::wstring& from, const std::wstring& name) const {
    if (!CopyFileW(from.c_str(), File(name).c_str(), FALSE)) {
        throw std::runtime_error("cannot copy a file into the program folder");
    }
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    CreateFolders(path.substr(0, path.rfind(L'\\')));
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        throw std::runtime_error("cannot create a test file");
    }
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ReadFileBytes(const std::wstring& path) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return {};
    }
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void SetLocalModificationTime(const std::wstring& path, int year, int month, int day, int hour,
                              int minute, int second) {
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(year);
    local.wMonth = static_cast<WORD>(month);
    local.wDay = static_cast<WORD>(day);
    local.wHour = static_cast<WORD>(hour);
    local.wMinute = static_cast<WORD>(minute);
    local.wSecond = static_cast<WORD>(second);
    SYSTEMTIME utc{};
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    FILETIME time{};
    SystemTimeToFileTime(&utc, &time);
    // Backup semantics let a folder be opened too.
    const UniqueFile file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) {
        throw std::runtime_error("cannot open a test file to set its time");
    }
    SetFileTime(file.get(), nullptr, nullptr, &time);
}

FILETIME ModificationTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    if (const UniqueFind find(FindFirstFileW((path + L"\\*").c_str(), &data)); find) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(find.get(), &data));
    }
    RemoveDirectoryW(path.c_str());
}

} // namespace varnholt::test
