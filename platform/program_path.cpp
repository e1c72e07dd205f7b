#include "platform/program_path.h"

#include "platform/program_path_impl.h"

namespace varnholt {

namespace {

std::wstring& TestingName() {
    static std::wstring name;
    return name;
}

} // namespace

std::wstring ProgramModuleFileName() {
    if (!TestingName().empty()) {
        return TestingName();
    }
    return RealModuleFileName();
}

std::wstring ProgramDirectory() {
    const std::wstring name = ProgramModuleFileName();
    const auto slash = name.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : name.substr(0, slash);
}

void SetModuleFileNameForTesting(std::wstring fileName) {
    TestingName() = std::move(fileName);
}

} // namespace varnholt
