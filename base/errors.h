#pragma once
// The program's error types. Errors are raised, never returned; the window
// procedures of the dialog library catch them and show their Message().

#include <exception>
#include <string>

#include "base/file_fault.h"

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

// A file could not be used. Carries the fault and the file's full path.
class FileError : public Error {
public:
    FileError(FileFault fault, std::wstring path);
    FileFault Fault() const noexcept { return m_fault; }
    const std::wstring& Path() const noexcept { return m_path; }

    // The message for `fault` at `path`: "<path> was not found." and the
    // like; a path too long and a malformed one read alike, and the faults
    // of no message of their own get "An unexpected error occurred while
    // accessing <path>."
    static std::wstring Describe(FileFault fault, const std::wstring& path);

private:
    FileFault m_fault;
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
