// The name of a program folder's running instance: every spelling of one
// folder gives one name, other folders and other programs another.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "framework/single_instance.h"
#include "tests/support/test_folder.h"

namespace varnholt::test {
namespace {

std::wstring ShortPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    return GetShortPathNameW(path.c_str(), buffer, MAX_PATH) ? buffer : L"";
}

std::wstring Lowered(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return std::towlower(c); });
    return text;
}

// The same folder through Wine's Z: drive, which maps the host's root; empty
// where Wine cannot tell the host path.
std::wstring ThroughHostDrive(const std::wstring& path) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(path.c_str()) : nullptr;
    if (name == nullptr) {
        return L"";
    }
    std::wstring host = L"Z:";
    for (const char* c = name; *c != '\0'; ++c) {
        host += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
    }
    HeapFree(GetProcessHeap(), 0, name);
    return host;
}

TEST(InstanceNameTest, EverySpellingOfAFolderGivesOneNameAndOtherFoldersAnother) {
    TestFolder temp;
    temp.MakeFolder(L"Program Folder With A Long Name\\sub");
    temp.MakeFolder(L"Other Folder");
    const std::wstring folder = temp.Path(L"Program Folder With A Long Name");
    const std::wstring name = InstanceName(L"Varnholt.exe", folder);
    const std::wstring missing = temp.Path(L"Gone Folder");
    const std::wstring missingName = InstanceName(L"Varnholt.exe", missing);

    struct Case {
        std::wstring program;
        std::wstring folder;
        std::wstring expected;
    };
    std::wstring forward = folder;
    std::replace(forward.begin(), forward.end(), L'\\', L'/');
    const Case cases[] = {
        {L"VARNHOLT.EXE", Lowered(folder), name},
        {L"Varnholt.exe", folder + L"\\", name},
        {L"Varnholt.exe", forward, name},
        {L"Varnholt.exe", folder + L"\\sub\\..", name},
        {L"Varnholt.exe", ShortPath(folder), name},
        {L"Varnholt.exe", ThroughHostDrive(folder), name},
        // A folder that cannot be opened goes by its path, letter case folded.
        {L"Varnholt.exe", Lowered(missing) + L"\\", missingName},
    };
    for (const Case& c : cases) {
        if (c.folder.empty()) {
            continue; // no such spelling here
        }
        EXPECT_EQ(InstanceName(c.program, c.folder), c.expected) << c.program << L" " << c.folder;
    }
    for (const std::wstring& other : {InstanceName(L"Other.exe", folder),
                                      InstanceName(L"Varnholt.exe", temp.Path(L"Other Folder")),
                                      InstanceName(L"Varnholt.exe", folder + L"\\sub"),
                                      InstanceName(L"Varnholt.exe", temp.Path(L"Gone Too"))}) {
        EXPECT_NE(other, name);
        EXPECT_NE(other, missingName);
    }
    // Named objects take no backslash after the namespace.
    EXPECT_EQ(name.find(L'\\'), std::wstring::npos);
    EXPECT_EQ(missingName.find(L'\\'), std::wstring::npos);
}

} // namespace
} // namespace varnholt::test
