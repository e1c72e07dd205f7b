#pragma once
// The keys of config.ini: one constant each, and the list of all of them in
// the order the shipped file holds them. Every read and write of a setting
// names its key through these (ReadConfigValue takes a ConfigKey, not a
// text), so a misspelt key does not compile. A key missing from a user's
// file still reads as empty and is not added by a write.

#include <array>
#include <string>
#include <string_view>

namespace varnholt {

class ConfigKey {
public:
    // The key line as it stands in the file.
    constexpr std::wstring_view Text() const noexcept { return m_text; }
    std::wstring String() const { return std::wstring(m_text); }
    constexpr bool operator==(const ConfigKey&) const = default;

    // A key line no setting of the program uses, for tests of the file's line
    // rules. `text` must outlive the key (a literal).
    static constexpr ConfigKey ForTesting(std::wstring_view text) noexcept {
        return ConfigKey(text);
    }

private:
    friend struct ConfigKeys;
    constexpr explicit ConfigKey(std::wstring_view text) noexcept : m_text(text) {}
    std::wstring_view m_text;
};

struct ConfigKeys {
    // The two folder lists of the pairs, in their stored form.
    static constexpr ConfigKey kFolders1{L"Folders1"};
    static constexpr ConfigKey kFolders2{L"Folders2"};
    // Flags by position; the second is the start at logon.
    static constexpr ConfigKey kOptions{L"Options"};
    // The interval in minutes (0: off) and the minutes left until the run.
    static constexpr ConfigKey kSyncInterval{L"SyncInterval"};
    static constexpr ConfigKey kNextSync{L"NextSync"};
    // How the program was started: see settings/start_mark.h.
    static constexpr ConfigKey kStartup{L"Startup"};
    // The language marker chosen in the language dialog.
    static constexpr ConfigKey kLanguage{L"Language"};
    // The first part of the language file's name (it ends "trl.ini").
    static constexpr ConfigKey kProductId{L"Product ID"};
    // The language markers that stand for German.
    static constexpr ConfigKey kGermanDialects{L"Dialects[1031]"};
    static constexpr ConfigKey kHomepage{L"Homepage"};
};

inline constexpr std::array<ConfigKey, 10> kAllConfigKeys = {
    ConfigKeys::kFolders1,     ConfigKeys::kFolders2,  ConfigKeys::kOptions,
    ConfigKeys::kSyncInterval, ConfigKeys::kNextSync,  ConfigKeys::kStartup,
    ConfigKeys::kLanguage,     ConfigKeys::kProductId, ConfigKeys::kGermanDialects,
    ConfigKeys::kHomepage,
};

} // namespace varnholt
