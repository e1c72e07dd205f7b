#include <gtest/gtest.h>

#include "sync/folder_entry.h"
#include "sync/folder_list_value.h"
#include "sync/run_paths.h"

namespace varnholt {
namespace {

CStringArray List(std::initializer_list<const wchar_t*> items) {
    CStringArray list;
    for (const wchar_t* item : items) {
        list.Add(item);
    }
    return list;
}

std::vector<std::wstring> Items(const CStringArray& list) {
    return {list.begin(), list.end()};
}

TEST(SyncFolderEntryTest, EntryCarriesTheTailAndStripsBack) {
    EXPECT_EQ(MakeFolderEntry(L"C:\\Data"), L"C:\\Data\\...");
    EXPECT_EQ(StripFolderEntryTail(L"C:\\Data\\..."), L"C:\\Data");
    EXPECT_EQ(StripFolderEntryTail(L"\\..."), L"");
    EXPECT_EQ(StripFolderEntryTail(L"ab"), L"");
    EXPECT_EQ(StripFolderEntryTail(L""), L"");
}

TEST(SyncFolderListValueTest, StoresEachEntryWithItsStar) {
    EXPECT_EQ(EncodeFolderListValue(List({L"C:\\Data\\...", L"E:\\Photos\\..."})),
              L"C:\\Data\\...*E:\\Photos\\...*");
    EXPECT_EQ(EncodeFolderListValue(CStringArray()), L"");
    // Latin-1 characters are stored as they are.
    EXPECT_EQ(EncodeFolderListValue(List({L"C:\\Caf\u00e9\\..."})), L"C:\\Caf\u00e9\\...*");
}

TEST(SyncFolderListValueTest, CharactersAboveLatin1BecomeHexGroupsAndComeBack) {
    const std::wstring cyrillic = L"D:\\\u0414\u0430\u043d\u043d\u044b\u0435\\...";
    EXPECT_EQ(EncodeStoredEntry(cyrillic), L"D:\\<0414><0430><043d><043d><044b><0435>\\...");
    // U+1F600 is stored as its UTF-16 surrogate pair on every platform.
    std::wstring emoji = L"E:\\";
    if constexpr (sizeof(wchar_t) >= 4) {
        emoji += static_cast<wchar_t>(0x1F600);
    } else {
        emoji += static_cast<wchar_t>(0xD83D);
        emoji += static_cast<wchar_t>(0xDE00);
    }
    emoji += L"\\...";
    EXPECT_EQ(EncodeStoredEntry(emoji), L"E:\\<d83d><de00>\\...");

    std::wstring value = EncodeFolderListValue(List({cyrillic.c_str(), emoji.c_str()}));
    for (wchar_t c : value) {
        EXPECT_LE(static_cast<unsigned>(c), 0xFFu); // fits the single-byte settings file
    }
    EXPECT_EQ(Items(DecodeFolderListValue(value)), (std::vector<std::wstring>{cyrillic, emoji}));
}

TEST(SyncFolderListValueTest, CharactersThatWouldBreakTheValueAreEscaped) {
    std::wstring odd = L"a<b*c\r\n\x1a";
    EXPECT_EQ(EncodeStoredEntry(odd), L"a<003c>b<002a>c<000d><000a><001a>");
    EXPECT_EQ(Items(DecodeFolderListValue(EncodeFolderListValue(List({odd.c_str(), L"x"})))),
              (std::vector<std::wstring>{odd, L"x"}));
}

TEST(SyncFolderListValueTest, MalformedGroupsStayAsWritten) {
    for (const wchar_t* text :
         {L"<041>", L"<0414", L"<04G4>", L"<041A>", L"<", L"a<b>c", L"<<0414"}) {
        EXPECT_EQ(DecodeStoredEntry(text), text) << testing::PrintToString(std::wstring(text));
    }
    EXPECT_EQ(DecodeStoredEntry(L"<<0414>"), L"<\u0414");
    // A lone surrogate group stays a single code unit.
    EXPECT_EQ(DecodeStoredEntry(L"<d83d>x").size(), 2u);
}

TEST(SyncFolderListValueTest, LoadRules) {
    EXPECT_TRUE(DecodeFolderListValue(L"").IsEmpty());
    EXPECT_TRUE(DecodeFolderListValue(L"x").IsEmpty());
    EXPECT_TRUE(DecodeFolderListValue(L"*").IsEmpty());
    // A lone character after the last "*" adds nothing.
    EXPECT_EQ(Items(DecodeFolderListValue(L"A\\...*B\\...*x")),
              (std::vector<std::wstring>{L"A\\...", L"B\\..."}));
    // Text without a "*" counts as one entry, also after complete entries.
    EXPECT_EQ(Items(DecodeFolderListValue(L"C:\\Data\\...")),
              (std::vector<std::wstring>{L"C:\\Data\\..."}));
    EXPECT_EQ(Items(DecodeFolderListValue(L"A\\...*BC")),
              (std::vector<std::wstring>{L"A\\...", L"BC"}));
    // An empty entry keeps its place, so pairs stay aligned.
    EXPECT_EQ(Items(DecodeFolderListValue(L"**")), (std::vector<std::wstring>{L""}));
    EXPECT_EQ(Items(DecodeFolderListValue(L"*A*")), (std::vector<std::wstring>{L"", L"A"}));
}

TEST(SyncFolderListValueTest, DropLastStoredEntryTakesBackOneEntry) {
    EXPECT_EQ(DropLastStoredEntry(L"C:\\A\\...*D:\\B\\...*"), L"C:\\A\\...*");
    EXPECT_EQ(DropLastStoredEntry(L"C:\\A\\...*"), L"");
    EXPECT_EQ(DropLastStoredEntry(L""), L"");
    EXPECT_EQ(DropLastStoredEntry(L"*"), L"");
    EXPECT_EQ(DropLastStoredEntry(L"A*B*C*"), L"A*B*");
    EXPECT_EQ(DropLastStoredEntry(L"A*B"), L"A*"); // last entry without its "*"
    EXPECT_EQ(DropLastStoredEntry(L"AB"), L"");
}

TEST(SyncRunPathsTest, FirstAndSecondPassTargets) {
    EXPECT_EQ(RelativePart(L"C:\\A\\x\\y.txt", L"C:\\A\\..."), L"\\x\\y.txt");
    EXPECT_EQ(TargetPath(L"D:\\B\\...", RelativePart(L"C:\\A\\x\\y.txt", L"C:\\A\\...")),
              L"D:\\B\\x\\y.txt");
    EXPECT_EQ(TargetPath(L"C:\\A\\...", RelativePart(L"D:\\B\\z.txt", L"D:\\B\\...")),
              L"C:\\A\\z.txt");
    // Folders of different lengths and a non-ASCII name.
    EXPECT_EQ(TargetPath(L"\\\\server\\share\\long folder\\...",
                         RelativePart(L"E:\\p\\\u0414.txt", L"E:\\p\\...")),
              L"\\\\server\\share\\long folder\\\u0414.txt");
}

TEST(SyncRunPathsTest, DegenerateEntriesNeverYieldRootPaths) {
    EXPECT_EQ(RelativePart(L"ab", L"C:\\much\\longer\\..."), L"");
    EXPECT_EQ(RelativePart(L"C:\\x", L""), L"C:\\x");
    // A damaged stored entry names no folder: no target at all, rather than
    // "\x.txt" at the root of the current drive.
    EXPECT_EQ(TargetPath(L"", L"\\x.txt"), L"");
    EXPECT_EQ(TargetPath(L"\\...", L"\\x.txt"), L"");
}

} // namespace
} // namespace varnholt
