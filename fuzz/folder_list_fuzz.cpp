// The stored folder lists (Folders1, Folders2): any text read as a stored
// value, and lists stored, read back and stored through config.ini.
//
// Input: one byte of choices, then the entries of a list, each ended by a
// NUL byte; the same bytes, NULs included, are also read as a stored value.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/latin1_lines.h"
#include "base/string_array.h"
#include "fuzz/fuzz_input.h"
#include "settings/config_keys.h"
#include "settings/config_lines.h"
#include "sync/folder_entry.h"
#include "sync/folder_list_value.h"

using namespace varnholt;
using varnholt::fuzz::InputReader;
using varnholt::fuzz::Joined;
using varnholt::fuzz::WideText;

namespace {

std::vector<std::wstring> Items(const CStringArray& list) {
    return {list.begin(), list.end()};
}

CStringArray List(const std::vector<std::wstring>& items) {
    CStringArray list;
    for (const std::wstring& item : items) {
        list.Add(item);
    }
    return list;
}

// What reading a stored list gives back: every entry, except that an empty
// last entry leaves only its "*", and a lone character at the end adds
// nothing. The program's entries are never empty (they end in "\...").
std::vector<std::wstring> ReadBack(std::vector<std::wstring> items) {
    if (!items.empty() && items.back().empty()) {
        items.pop_back();
    }
    return items;
}

// The same texts, where surrogate pairs may stand as two units or as one
// character (a 32-bit wchar_t holds either; the stored form holds UTF-16).
bool SameTexts(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b) {
    if (a == b) {
        return true;
    }
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](const std::wstring& x, const std::wstring& y) {
                                                  return Joined(x) == Joined(y);
                                              });
}

// Any text read as a stored value, as a hand-edited config.ini may hold.
void CheckStoredValue(const std::wstring& value) {
    const std::vector<std::wstring> entries = Items(DecodeFolderListValue(value));
    VARNHOLT_FUZZ_CHECK(entries.size() <=
                        static_cast<std::size_t>(std::count(value.begin(), value.end(), L'*')) + 1);
    // Stored again, the entries read back the same. (A decoded group next to
    // a surrogate written as it is can make a pair of two units.)
    VARNHOLT_FUZZ_CHECK(SameTexts(
        Items(DecodeFolderListValue(EncodeFolderListValue(List(entries)))), ReadBack(entries)));

    const std::wstring shorter = DropLastStoredEntry(value);
    VARNHOLT_FUZZ_CHECK(value.starts_with(shorter));
    VARNHOLT_FUZZ_CHECK(shorter.empty() || shorter.back() == L'*');
}

// The lists' part of config.ini.
const std::wstring kFirst = ConfigKeys::kFolders1.String();
const std::wstring kSecond = ConfigKeys::kFolders2.String();
const std::vector<std::wstring> kConfigLines = {kFirst, L"", kSecond, L""};

void CheckList(const std::vector<std::wstring>& items) {
    const CStringArray list = List(items);
    const std::wstring value = EncodeFolderListValue(list);

    // One "*" per entry, and nothing that config.ini cannot hold on one line.
    VARNHOLT_FUZZ_CHECK(static_cast<std::size_t>(std::count(value.begin(), value.end(), L'*')) ==
                        items.size());
    for (wchar_t c : value) {
        VARNHOLT_FUZZ_CHECK(c >= 0x20 && c <= 0xFF);
    }
    VARNHOLT_FUZZ_CHECK(Items(DecodeFolderListValue(value)) == ReadBack(items));

    // Removing the last pair's entry from the stored value.
    std::vector<std::wstring> fewer = items;
    if (!fewer.empty()) {
        fewer.pop_back();
    }
    VARNHOLT_FUZZ_CHECK(DropLastStoredEntry(value) == EncodeFolderListValue(List(fewer)));

    // Written into config.ini, never refused, and read back from its bytes.
    std::vector<std::wstring> lines;
    bool refused = false;
    try {
        CheckStorableValue(kFirst, value);
        lines = WithConfigValue(kConfigLines, kFirst, value);
    } catch (const InvalidArgumentError&) {
        refused = true;
    }
    VARNHOLT_FUZZ_CHECK(!refused);
    const std::vector<std::wstring> reread = DecodeLatin1Lines(EncodeLatin1Lines(lines));
    VARNHOLT_FUZZ_CHECK(Items(DecodeFolderListValue(ConfigValueIn(reread, kFirst))) ==
                        ReadBack(items));
    VARNHOLT_FUZZ_CHECK(ConfigValueIn(reread, kSecond).empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputReader input(data, size);
    const std::uint8_t choice = input.Byte();
    InputReader fields = input;

    CheckStoredValue(WideText(input.Rest()));

    // The entries: paths as the program makes them ("\..." added), or texts
    // as they are.
    std::vector<std::wstring> items;
    while (!fields.Empty()) {
        std::wstring item = WideText(fields.Field());
        items.push_back(choice & 1 ? MakeFolderEntry(item) : item);
    }
    CheckList(items);
    return 0;
}
