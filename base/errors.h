#pragma once
// The program's error types. Errors are raised, never returned; the window
// procedures of the dialog library catch them and show their Message().

#include <exception>
#include <string>

namespace varnholt {

// Base of every error the program raises itself. Message() is the text the
// user sees in the stop box.
class Error : public std::exception {
public:
    explicit Error(std::wstring message);
    const std::wstring& Message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_narrow.c_str(); }

private:
    std::wstring m_message;
    std::string m_narrow;
};

// A file could not be used. Carries the cause and the file's full path.
class FileError : public Error {
public:
    enum class Cause {
        NotFound,         // the file or a folder on its path does not exist
        BadPath,          // the path is malformed or too long
        AccessDenied,     // no permission, read-only medium, or a folder in the way
        SharingViolation, // another process holds the file open
        DiskFull,         // the medium has no room left
        ReadFailed,       // reading stopped with an error before the end
        WriteFailed,      // writing or replacing the file failed
        Generic,          // anything else
    };

    FileError(Cause cause, std::wstring path);
    Cause GetCause() const noexcept { return m_cause; }
    const std::wstring& Path() const noexcept { return m_path; }

    static std::wstring Describe(Cause cause, const std::wstring& path);

private:
    Cause m_cause;
    std::wstring m_path;
};

// A registry value could not be set or deleted. Carries the value's full
// name ("HKEY_CURRENT_USER\<key>\<value>") and whether access was denied.
class RegistryError : public Error {
public:
    RegistryError(std::wstring valueName, bool accessDenied);
    const std::wstring& ValueName() const noexcept { return m_valueName; }

private:
    std::wstring m_valueName;
};

// An index out of range or an argument that breaks an operation's rules.
class InvalidArgumentError : public Error {
public:
    InvalidArgumentError();
    // Used where a more specific text helps the user more than the stock one.
    explicit InvalidArgumentError(std::wstring message);
};

} // namespace varnholt
