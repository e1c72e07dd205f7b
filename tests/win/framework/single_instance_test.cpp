// The name of a program folder's running instance: every spelling of one
// folder gives one name, other folders and other programs another.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "framework/single_instance.h"
#include "platform/folders.h"
#include "tests/support/test_folder.h"

namespace varnholt::test {
namespace {

std::wstring ShortPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    return GetShortPathNameW(path.c_str(), buffer, MAX_PATH) ? buffer : L"";
}

// The same folder through Wine's Z: drive (the host's root) and the prefix's
// link to drive C:; empty where Wine cannot tell the host path.
std::wstring ThroughHostDrive(const std::wstring& path) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(path.c_str()) : nullptr;
    if (name == nullptr) {
        return L"";
    }
    const std::string host(name);
    HeapFree(GetProcessHeap(), 0, name);
    std::wstring drive = L"Z:" + std::wstring(host.begin(), host.end());
    std::replace(drive.begin(), drive.end(), L'/', L'\\');
    return drive;
}

TEST(InstanceNameTest, EverySpellingOfAFolderGivesOneNameAndOtherFoldersAnother) {
    TestFolder temp;
    temp.MakeFolder(L"Program Folder With A Long Name\\sub");
    temp.MakeFolder(L"Other Folder");
    const std::wstring folder = temp.Path(L"Program Folder With A Long Name");
    const std::wstring name = InstanceName(L"Varnholt.exe", folder);
    std::wstring forward = folder;
    std::replace(forward.begin(), forward.end(), L'\\', L'/');
    for (const std::wstring& spelling :
         {FileNameKey(folder), folder + L"\\", forward, folder + L"\\sub\\..", ShortPath(folder),
          ThroughHostDrive(folder)}) {
        EXPECT_FALSE(spelling.empty());
        EXPECT_EQ(InstanceName(L"VARNHOLT.EXE", spelling), name) << spelling;
    }
    // A folder that cannot be opened goes by its path, letter case folded.
    const std::wstring gone = temp.Path(L"Gone Folder");
    const std::wstring goneName = InstanceName(L"Varnholt.exe", gone);
    EXPECT_EQ(InstanceName(L"Varnholt.exe", FileNameKey(gone) + L"\\"), goneName);

    for (const std::wstring& other : {InstanceName(L"Other.exe", folder),
                                      InstanceName(L"Varnholt.exe", temp.Path(L"Other Folder")),
                                      InstanceName(L"Varnholt.exe", folder + L"\\sub"),
                                      InstanceName(L"Varnholt.exe", temp.Path(L"Gone Too"))}) {
        EXPECT_NE(other, name);
        EXPECT_NE(other, goneName);
    }
    // Named objects take no backslash after the namespace.
    EXPECT_EQ((name + goneName).find(L'\\'), std::wstring::npos);
}

} // namespace
} // namespace varnholt::test
