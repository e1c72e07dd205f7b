#pragma once
// Catalogue texts used as formats. The texts come from the language file, so
// they are never handed to printf: only the one placeholder the caller
// expects is filled (the first one), "%%" gives "%", and anything else,
// other placeholders included, stays as written.

#include <cstdint>
#include <string>

namespace varnholt {

// Fills the first "%d" with the number in decimal (catalogue text 75).
std::wstring FormatCatalogueNumber(const std::wstring& format, std::int32_t value);
// Fills the first "%s" with the text (catalogue text 140).
std::wstring FormatCatalogueText(const std::wstring& format, const std::wstring& value);
// A format without an argument: only "%%" changes (catalogue text 115).
std::wstring FormatCataloguePlain(const std::wstring& format);

// A two-paragraph message: the first text, an empty line, the second text.
std::wstring JoinParagraphs(const std::wstring& first, const std::wstring& second);

} // namespace varnholt
