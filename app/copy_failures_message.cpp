#include "app/copy_failures_message.h"

#include "i18n/catalogue_format.h"
#include "i18n/text_ids.h"

namespace varnholt {

std::wstring CopyFailureCauseText(const CTranslation& translation, FileFault cause) {
    switch (cause) {
    case FileFault::InUse:
        return translation.GetTextOr(text::kCauseInUse, L"The file is in use by another program.");
    case FileFault::AccessDenied:
        return translation.GetTextOr(text::kCauseAccessDenied, L"Access was denied.");
    case FileFault::DiskFull:
        return translation.GetTextOr(text::kCauseDiskFull,
                                     L"There is not enough space on the disk.");
    case FileFault::FolderInTheWay:
        return translation.GetTextOr(text::kCauseFolderInTheWay,
                                     L"A folder of the same name is in the way.");
    case FileFault::PathTooLong:
        return translation.GetTextOr(text::kCausePathTooLong, L"The path is too long.");
    case FileFault::Incomplete:
        return translation.GetTextOr(text::kCauseIncomplete,
                                     L"The file could not be read or written completely.");
    case FileFault::Changed:
        return translation.GetTextOr(text::kCauseChanged, L"The file changed while it was copied.");
    default:
        break;
    }
    return translation.GetTextOr(text::kCauseOther, L"The file could not be copied.");
}

std::wstring CopyFailuresMessage(const std::vector<CopyFailure>& failures,
                                 const CTranslation& translation) {
    std::wstring message = FormatCatalogueNumber(
        translation.GetTextOr(text::kCopyFailuresHeadline, L"%d file(s) could not be copied:"),
        static_cast<std::int32_t>(failures.size()));
    const std::size_t listed = std::min(failures.size(), kListedCopyFailures);
    for (std::size_t i = 0; i < listed; ++i) {
        const CopyFailure& failure = failures[i];
        message += L"\n\n" + failure.from + L"\n-> " + failure.to + L"\n" +
                   CopyFailureCauseText(translation, failure.cause);
    }
    if (failures.size() > listed) {
        message +=
            L"\n\n" + FormatCatalogueNumber(
                          translation.GetTextOr(text::kCopyFailuresMore, L"... and %d more."),
                          static_cast<std::int32_t>(failures.size() - listed));
    }
    return message;
}

} // namespace varnholt
