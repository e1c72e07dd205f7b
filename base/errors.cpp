#include "base/errors.h"

namespace varnholt {

namespace {

// what() is only for diagnostics: a plain ASCII fold of the message.
std::string Narrow(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        out.push_back(static_cast<unsigned>(c) < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

} // namespace

const wchar_t* EnglishPattern(Wording wording) noexcept {
    switch (wording) {
    case Wording::AsWritten:
        return L"";
    case Wording::FileMissing:
        return L"%s was not found.";
    case Wording::FileBadPath:
        return L"%s contains an invalid path.";
    case Wording::FileAccessDenied:
        return L"Access to %s was denied.";
    case Wording::FileInUse:
        return L"A sharing violation occurred while accessing %s.";
    case Wording::FileDiskFull:
        return L"The disk is full while accessing %s.";
    case Wording::FileReadFailed:
        return L"An error occurred while reading %s.";
    case Wording::FileWriteFailed:
        return L"An error occurred while writing %s.";
    case Wording::FileOther:
        return L"An unexpected error occurred while accessing %s.";
    case Wording::RegistryAccessDenied:
        return L"Access to the registry value %s was denied.";
    case Wording::RegistryNotChanged:
        return L"The registry value %s could not be changed.";
    case Wording::InvalidArgument:
        return L"An invalid argument was encountered.";
    case Wording::ValueNotLatin1:
        return L"The value for \"%s\" holds a character that config.ini cannot store. Only "
               L"characters of Western European text (ISO 8859-1) can be stored there.";
    case Wording::ValueWithLineBreak:
        return L"The value for \"%s\" holds a line break or control character that "
               L"config.ini cannot store.";
    case Wording::TextNotSingleByte:
        return L"A text holds a character that has no single-byte form and cannot be stored.";
    }
    return L"";
}

std::wstring FillPattern(const std::wstring& pattern, const std::wstring& detail) {
    std::wstring text = pattern;
    const auto at = text.find(L"%s");
    if (at != std::wstring::npos) {
        text.replace(at, 2, detail);
    }
    return text;
}

Error::Error(std::wstring message) : m_message(std::move(message)), m_narrow(Narrow(m_message)) {}

Error::Error(Wording wording, std::wstring detail)
    : m_wording(wording), m_detail(std::move(detail)),
      m_message(FillPattern(EnglishPattern(wording), m_detail)), m_narrow(Narrow(m_message)) {}

Wording FileError::WordingOf(FileFault fault) noexcept {
    switch (fault) {
    case FileFault::Missing:
        return Wording::FileMissing;
    case FileFault::PathTooLong:
    case FileFault::BadPath:
        return Wording::FileBadPath;
    case FileFault::AccessDenied:
        return Wording::FileAccessDenied;
    case FileFault::InUse:
        return Wording::FileInUse;
    case FileFault::DiskFull:
        return Wording::FileDiskFull;
    case FileFault::ReadFailed:
        return Wording::FileReadFailed;
    case FileFault::WriteFailed:
        return Wording::FileWriteFailed;
    case FileFault::None:
    case FileFault::Incomplete:
    case FileFault::Exists:
    case FileFault::FolderInTheWay:
    case FileFault::Changed:
    case FileFault::Other:
        break;
    }
    return Wording::FileOther;
}

FileError::FileError(FileFault fault, std::wstring path)
    : Error(WordingOf(fault), std::move(path)), m_fault(fault) {}

RegistryError::RegistryError(std::wstring valueName, bool accessDenied)
    : Error(accessDenied ? Wording::RegistryAccessDenied : Wording::RegistryNotChanged,
            std::move(valueName)) {}

InvalidArgumentError::InvalidArgumentError() : Error(Wording::InvalidArgument, {}) {}

InvalidArgumentError::InvalidArgumentError(Wording wording, std::wstring detail)
    : Error(wording, std::move(detail)) {}

} // namespace varnholt
