#pragma once
// The program's error types. Errors are raised, never returned; the window
// procedures of the dialog library catch them and show their message.
//
// An error keeps what it says apart from its words: a Wording (which message)
// and the text that goes into it (a path, a key), so a window that shows its
// texts from the language file can word it in the user's language
// (i18n/error_wording.h). Message() is the English.

#include <exception>
#include <string>

#include "base/file_fault.h"

namespace varnholt {

// Which message an error shows. The English pattern of each is
// EnglishPattern(); "%s" stands for the error's Detail().
enum class Wording {
    AsWritten, // a message given as text, shown as it is
    FileMissing,
    FileBadPath,
    FileAccessDenied,
    FileInUse,
    FileDiskFull,
    FileReadFailed,
    FileWriteFailed,
    FileOther,
    RegistryAccessDenied,
    RegistryNotChanged,
    InvalidArgument,
    ValueNotLatin1,
    ValueWithLineBreak,
    TextNotSingleByte,
};

// The English pattern of a wording; empty for AsWritten.
const wchar_t* EnglishPattern(Wording wording) noexcept;

// `pattern` with its first "%s" replaced by `detail`.
std::wstring FillPattern(const std::wstring& pattern, const std::wstring& detail);

// Base of every error the program raises itself.
class Error : public std::exception {
public:
    // A message shown as written, in every language.
    explicit Error(std::wstring message);
    Error(Wording wording, std::wstring detail);

    // The English text the user sees in the stop box.
    const std::wstring& Message() const noexcept { return m_message; }
    Wording GetWording() const noexcept { return m_wording; }
    // What fills the wording's "%s": a full path, a registry value, a key.
    const std::wstring& Detail() const noexcept { return m_detail; }
    const char* what() const noexcept override { return m_narrow.c_str(); }

private:
    Wording m_wording = Wording::AsWritten;
    std::wstring m_detail;
    std::wstring m_message;
    std::string m_narrow;
};

// A file could not be used. Carries the fault and the file's full path.
class FileError : public Error {
public:
    FileError(FileFault fault, std::wstring path);
    FileFault Fault() const noexcept { return m_fault; }
    const std::wstring& Path() const noexcept { return Detail(); }

    // The wording for `fault`: "<path> was not found." and the like; a path
    // too long and a malformed one read alike, and the faults of no message
    // of their own get "An unexpected error occurred while accessing <path>."
    static Wording WordingOf(FileFault fault) noexcept;

private:
    FileFault m_fault;
};

// A registry value could not be set or deleted. Carries the value's full
// name ("HKEY_CURRENT_USER\<key>\<value>") and whether access was denied.
class RegistryError : public Error {
public:
    RegistryError(std::wstring valueName, bool accessDenied);
    const std::wstring& ValueName() const noexcept { return Detail(); }
};

// An index out of range or an argument that breaks an operation's rules.
class InvalidArgumentError : public Error {
public:
    InvalidArgumentError();
    // Used where a more specific message helps the user more than the stock
    // one; `detail` fills its "%s".
    explicit InvalidArgumentError(Wording wording, std::wstring detail = {});
};

} // namespace varnholt
