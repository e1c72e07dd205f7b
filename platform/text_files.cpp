#include "platform/text_files.h"

#include <algorithm>

#include "base/latin1_lines.h"
#include "platform/fail_safe_write.h"
#include "platform/files.h"

namespace varnholt {

std::vector<std::wstring> ReadLatin1Lines(const std::wstring& path) {
    return DecodeLatin1Lines(ReadWholeFile(path));
}

bool FileContainsLine(const std::wstring& path, const std::wstring& line) {
    const auto lines = ReadLatin1Lines(path);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

void WriteLatin1Lines(const std::wstring& path, const std::vector<std::wstring>& lines) {
    WriteFileFailSafe(path, EncodeLatin1Lines(lines));
}

} // namespace varnholt
