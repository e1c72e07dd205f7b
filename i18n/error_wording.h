#pragma once
// The message of a raised error in the language of the loaded catalogue: the
// entry for the error's wording with its "%s" filled by the error's detail,
// or the English message where the language file lacks the entry (a file
// translated before the entry existed).

#include <string>

#include "base/errors.h"
#include "i18n/translation.h"

namespace varnholt {

std::wstring WordedMessage(const Error& error, const CTranslation& translation);

} // namespace varnholt
