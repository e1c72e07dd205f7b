// The settings file: any bytes read as config.ini, and a value written into
// it and read back.
//
// Input: one byte choosing the key, the value (up to a NUL byte), a key of
// its own (up to a NUL byte), then the file's bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/latin1_lines.h"
#include "fuzz/fuzz_input.h"
#include "settings/config_keys.h"
#include "settings/config_lines.h"

using namespace varnholt;
using varnholt::fuzz::InputReader;
using varnholt::fuzz::WideText;

namespace {

// The keys the program reads, and the empty key (every empty line is one).
const std::vector<std::wstring> kKeys = [] {
    std::vector<std::wstring> keys;
    for (const varnholt::ConfigKey key : varnholt::kAllConfigKeys) {
        keys.push_back(key.String());
    }
    keys.emplace_back();
    return keys;
}();

bool Holds(const std::vector<std::wstring>& lines, const std::wstring& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A value read for `key` is empty or the line after one of its key lines.
bool FollowsKeyLine(const std::vector<std::wstring>& lines, const std::wstring& key,
                    const std::wstring& value) {
    if (value.empty()) {
        return true;
    }
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] == key && lines[i + 1] == value) {
            return true;
        }
    }
    return false;
}

void Write(const std::vector<std::wstring>& lines, const std::wstring& key,
           const std::wstring& value) {
    try {
        CheckStorableValue(key, value);
    } catch (const InvalidArgumentError&) {
        // Refused only what could not be read back as written.
        VARNHOLT_FUZZ_CHECK(!IsLatin1(value) ||
                            value.find_first_of(L"\n\x1A") != std::wstring::npos);
        return;
    }
    std::vector<std::wstring> written;
    try {
        written = WithConfigValue(lines, key, value);
    } catch (const InvalidArgumentError&) {
        // Only a key line without a value line after it, which a value equal
        // to its key makes of every line after the first key line.
        VARNHOLT_FUZZ_CHECK(!lines.empty() && (lines.back() == key || value == key));
        VARNHOLT_FUZZ_CHECK(Holds(lines, key));
        return;
    }
    // The file as written and read again: every line as it was or set, and
    // the key gives the value (an absent key changes nothing).
    const std::vector<std::wstring> reread = DecodeLatin1Lines(EncodeLatin1Lines(written));
    VARNHOLT_FUZZ_CHECK(reread == written);
    VARNHOLT_FUZZ_CHECK(written.size() == lines.size());
    if (Holds(lines, key)) {
        VARNHOLT_FUZZ_CHECK(ConfigValueIn(reread, key) == value);
    } else {
        VARNHOLT_FUZZ_CHECK(reread == lines);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputReader input(data, size);
    const std::uint8_t choice = input.Byte();
    const std::wstring value = WideText(input.Field());
    const std::wstring ownKey = WideText(input.Field());
    const std::vector<std::wstring> lines = DecodeLatin1Lines(input.Rest());

    // Read: single-byte lines that survive being written unchanged, as every
    // write rewrites the whole file.
    for (const std::wstring& line : lines) {
        VARNHOLT_FUZZ_CHECK(IsLatin1(line) && line.find_first_of(L"\n\x1A") == std::wstring::npos);
    }
    VARNHOLT_FUZZ_CHECK(DecodeLatin1Lines(EncodeLatin1Lines(lines)) == lines);
    for (const std::wstring& key : kKeys) {
        VARNHOLT_FUZZ_CHECK(FollowsKeyLine(lines, key, ConfigValueIn(lines, key)));
    }
    VARNHOLT_FUZZ_CHECK(FollowsKeyLine(lines, ownKey, ConfigValueIn(lines, ownKey)));

    // Write: a key the program uses, a line of the file (most often a key
    // present), or the input's own key.
    std::wstring key;
    switch (choice % 3) {
    case 0:
        key = kKeys[choice / 3 % kKeys.size()];
        break;
    case 1:
        key = lines.empty() ? std::wstring() : lines[choice / 3 % lines.size()];
        break;
    default:
        key = ownKey;
        break;
    }
    Write(lines, key, value);
    return 0;
}
