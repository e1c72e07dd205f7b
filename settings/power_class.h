#pragma once
// PowerClass: the program's small utilities over its location, texts and
// numbers, text files, the settings file and the registry. The main window,
// the translation catalogue and the language dialog each hold one. It is a
// facade: each member forwards to the function that does the work in the
// folder of its job (named beside each group below); only the registry
// operations use the object's state (m_strRegKeyPath).

#include <cstdint>
#include <string>

#include "settings/config_keys.h"

namespace varnholt {

class PowerClass {
public:
    PowerClass() = default;
    virtual ~PowerClass() = default;

    // Registry key (below the root each registry operation names) on which
    // ReadRegistryText, WriteRegistryText and DeleteRegistryValue work.
    std::wstring m_strRegKeyPath;

    // --- Program location (platform/program_path.h) ---
    // Folder of the program's own executable, without a trailing backslash.
    std::wstring GetProgramDirectory() const;

    // --- Texts and numbers (base/text_numbers.h, platform/text_files.h) ---
    // Decimal digits by place, right to left; any other character counts as 0
    // but keeps its place. Wraps in 32 bits. "" -> 0, "1a2" -> 102, "-5" -> 5.
    static std::int32_t TextToInt(const std::wstring& text);
    // As TextToInt in base 16; only "0123456789abcdef" are digits.
    static std::int32_t HexTextToInt(const std::wstring& text);
    // Texts shorter than maxLength come back whole; longer ones become the
    // first headLength characters, " ... " and the last
    // (maxLength - headLength - 6) characters.
    static std::wstring ShortenText(const std::wstring& text, int maxLength, int headLength);
    // True when the single-byte text file holds a line equal to `line`.
    // Raises FileError when the file cannot be read.
    static bool FileContainsLine(const std::wstring& path, const std::wstring& line);

    // --- Settings file config.ini (settings/config_file.h) ---
    std::wstring ReadConfigValue(ConfigKey key) const;
    void WriteConfigValue(ConfigKey key, const std::wstring& value) const;
    // Full path of config.ini.
    std::wstring ConfigFilePath() const;

    // --- Registry (settings/registry_texts.h) ---
    // Reads a REG_SZ value under HKEY_LOCAL_MACHINE\m_strRegKeyPath.
    std::wstring ReadRegistryText(const std::wstring& valueName) const;
    // Creates or sets a REG_SZ value under HKEY_CURRENT_USER\m_strRegKeyPath.
    // Raises RegistryError when the registry refuses.
    void WriteRegistryText(const std::wstring& valueName, const std::wstring& data) const;
    // Deletes a value under HKEY_CURRENT_USER\m_strRegKeyPath; a value that is
    // not there is no error. Raises RegistryError when the registry refuses.
    void DeleteRegistryValue(const std::wstring& valueName) const;

    // --- Synchronization helpers (sync/minute_number.h, sync/safe_copy.h) ---
    // Minute number of a local date from its five decimal texts.
    static std::int32_t DateToMinutes(const std::wstring& year, const std::wstring& month,
                                      const std::wstring& day, const std::wstring& hour,
                                      const std::wstring& minute);
    // True when the file system has an entry (file or folder) for the path.
    static bool PathExists(const std::wstring& path);
    // Copies one file over `to`, creating missing folders; always returns 0.
    static int ShellCopyFile(const std::wstring& from, const std::wstring& to);
};

} // namespace varnholt
