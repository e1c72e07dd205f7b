#include "base/errors.h"

namespace varnholt {

namespace {

// what() is only for diagnostics: a plain Latin-1 fold of the message.
std::string Narrow(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        out.push_back(static_cast<unsigned>(c) < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

std::wstring ReplaceFirst(std::wstring text, const std::wstring& what, const std::wstring& with) {
    auto at = text.find(what);
    if (at != std::wstring::npos) {
        text.replace(at, what.size(), with);
    }
    return text;
}

} // namespace

Error::Error(std::wstring message) : m_message(std::move(message)), m_narrow(Narrow(m_message)) {}

std::wstring FileError::Describe(FileFault fault, const std::wstring& path) {
    const wchar_t* pattern = L"An unexpected error occurred while accessing %1.";
    switch (fault) {
    case FileFault::Missing:
        pattern = L"%1 was not found.";
        break;
    case FileFault::PathTooLong:
    case FileFault::BadPath:
        pattern = L"%1 contains an invalid path.";
        break;
    case FileFault::AccessDenied:
        pattern = L"Access to %1 was denied.";
        break;
    case FileFault::InUse:
        pattern = L"A sharing violation occurred while accessing %1.";
        break;
    case FileFault::DiskFull:
        pattern = L"The disk is full while accessing %1.";
        break;
    case FileFault::ReadFailed:
        pattern = L"An error occurred while reading %1.";
        break;
    case FileFault::WriteFailed:
        pattern = L"An error occurred while writing %1.";
        break;
    case FileFault::None:
    case FileFault::Incomplete:
    case FileFault::Exists:
    case FileFault::FolderInTheWay:
    case FileFault::Changed:
    case FileFault::Other:
        break;
    }
    return ReplaceFirst(pattern, L"%1", path);
}

FileError::FileError(FileFault fault, std::wstring path)
    : Error(Describe(fault, path)), m_fault(fault), m_path(std::move(path)) {}

RegistryError::RegistryError(std::wstring valueName, bool accessDenied)
    : Error(ReplaceFirst(accessDenied ? L"Access to the registry value %1 was denied."
                                      : L"The registry value %1 could not be changed.",
                         L"%1", valueName)),
      m_valueName(std::move(valueName)) {}

InvalidArgumentError::InvalidArgumentError() : Error(L"An invalid argument was encountered.") {}

InvalidArgumentError::InvalidArgumentError(std::wstring message) : Error(std::move(message)) {}

} // namespace varnholt
