#include "tests/win/app/program_folder.h"

#include <atomic>
#include <stdexcept>

#include "platform/program_path.h"
#include "settings/power_class.h"

namespace varnholt::test {

namespace {

std::atomic<int> g_folderCounter{0};

const std::map<std::wstring, std::wstring>& ShippedValues() {
    static const std::map<std::wstring, std::wstring> values{
        {L"Folders1", L""},
        {L"Folders2", L""},
        {L"Options", L"00"},
        {L"SyncInterval", L"0"},
        {L"NextSync", L"0"},
        {L"Startup", L"manually"},
        {L"Language", L"[1033]"},
        {L"Product ID", L"Varnholt"},
        {L"Dialects[1031]", L"[2055][3079][4103][5127]"},
        {L"Homepage", L"https://www.oskenby.example/varnholt/"},
    };
    return values;
}

void CreateFolders(const std::wstring& path) {
    for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos;
         at = path.find(L'\\', at + 1)) {
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryW(path.c_str(), nullptr);
}

} // namespace

ProgramFolder::ProgramFolder(const std::wstring& suffix) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"varnholt-app-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(++g_folderCounter) + suffix;
    RemoveTree(m_path);
    CreateFolders(m_path);
    if (!CopyFileW(VARNHOLT_SHIPPED_LANGUAGE_FILE, (m_path + L"\\Varnholttrl.ini").c_str(),
                   FALSE)) {
        throw std::runtime_error("cannot copy the shipped language file");
    }
    WriteConfig({});
    SetModuleFileNameForTesting(m_path + L"\\Varnholt.exe");
}

ProgramFolder::~ProgramFolder() {
    SetModuleFileNameForTesting(L"");
    RemoveTree(m_path);
}

void ProgramFolder::WriteConfig(const std::map<std::wstring, std::wstring>& values) {
    std::string bytes;
    auto append = [&bytes](const std::wstring& text) {
        for (wchar_t c : text) {
            bytes.push_back(static_cast<char>(c));
        }
        bytes += "\r\n";
    };
    for (const auto& [key, shipped] : ShippedValues()) {
        auto given = values.find(key);
        append(key);
        append(given == values.end() ? shipped : given->second);
    }
    WriteFileBytes(ConfigPath(), bytes);
}

void ProgramFolder::RemoveConfig() {
    DeleteFileW(ConfigPath().c_str());
}

std::wstring ProgramFolder::ReadConfig(const std::wstring& key) const {
    return PowerClass().ReadConfigValue(key);
}

std::wstring ProgramFolder::MakeFolder(const std::wstring& relative) const {
    std::wstring path = m_path + L"\\" + relative;
    CreateFolders(path);
    return path;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    CreateFolders(path.substr(0, path.rfind(L'\\')));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot create a test file");
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
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
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot open a test file to set its time");
    }
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

FILETIME ModificationTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
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
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

} // namespace varnholt::test
