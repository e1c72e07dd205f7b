#include "i18n/error_wording.h"

#include <cstdint>

#include "i18n/catalogue_format.h"
#include "i18n/text_ids.h"

namespace varnholt {

namespace {

// The catalogue entry of a wording; 0 for a message shown as written.
std::int32_t TextNumberOf(Wording wording) noexcept {
    switch (wording) {
    case Wording::AsWritten:
        return 0;
    case Wording::FileMissing:
        return text::kErrorFileMissing;
    case Wording::FileBadPath:
        return text::kErrorFileBadPath;
    case Wording::FileAccessDenied:
        return text::kErrorFileAccessDenied;
    case Wording::FileInUse:
        return text::kErrorFileInUse;
    case Wording::FileDiskFull:
        return text::kErrorFileDiskFull;
    case Wording::FileReadFailed:
        return text::kErrorFileReadFailed;
    case Wording::FileWriteFailed:
        return text::kErrorFileWriteFailed;
    case Wording::FileOther:
        return text::kErrorFileOther;
    case Wording::RegistryAccessDenied:
        return text::kErrorRegistryAccessDenied;
    case Wording::RegistryNotChanged:
        return text::kErrorRegistryNotChanged;
    case Wording::InvalidArgument:
        return text::kErrorInvalidArgument;
    case Wording::ValueNotLatin1:
        return text::kErrorValueNotLatin1;
    case Wording::ValueWithLineBreak:
        return text::kErrorValueWithLineBreak;
    case Wording::TextNotSingleByte:
        return text::kErrorTextNotSingleByte;
    }
    return 0;
}

} // namespace

std::wstring WordedMessage(const Error& error, const CTranslation& translation) {
    const std::int32_t number = TextNumberOf(error.GetWording());
    if (number == 0) {
        return error.Message();
    }
    const std::wstring pattern = translation.GetText(number);
    if (pattern.empty()) {
        return error.Message();
    }
    return FormatCatalogueText(pattern, error.Detail());
}

} // namespace varnholt
