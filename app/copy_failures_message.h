#pragma once
// The message that ends a run in which files could not be copied: how many,
// then the first ten with their source, target and cause, then how many more.
// Its texts come from the catalogue; a language file that lacks them still
// gives this message in English.

#include <string>
#include <vector>

#include "i18n/translation.h"
#include "sync/copy_failure.h"

namespace varnholt {

inline constexpr std::size_t kListedCopyFailures = 10;

// Why one file was not copied, in the user's language (the run log says it
// the same way).
std::wstring CopyFailureCauseText(const CTranslation& translation, FileFault cause);

std::wstring CopyFailuresMessage(const std::vector<CopyFailure>& failures,
                                 const CTranslation& translation);

} // namespace varnholt
