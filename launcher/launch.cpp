#include "launcher/launch.h"

#include <windows.h>

#include <vector>

#include "base/errors.h"
#include "framework/single_instance.h"
#include "platform/handles.h"
#include "schedule/autostart.h"
#include "settings/power_class.h"
#include "settings/start_mark.h"

namespace varnholt {

namespace {

// Starts the program with its own folder as working folder, without waiting.
bool StartProgram(const std::wstring& program, const std::wstring& folder) {
    std::wstring commandLine = L"\"" + program + L"\"";
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process)) {
        return false;
    }
    // Not waited for: the program runs on its own.
    const UniqueKernelObject thread(process.hThread);
    const UniqueKernelObject started(process.hProcess);
    return true;
}

} // namespace

void LaunchAutomaticStart() {
    const PowerClass power;
    const std::wstring folder = power.GetProgramDirectory();
    const std::wstring program = folder + L"\\" + kProgramFileName;
    if (!PowerClass::PathExists(program)) {
        throw FileError(FileFault::Missing, program);
    }
    if (ShowRunningInstance(kProgramFileName, folder)) {
        return;
    }
    MarkStartAtLogon(true);
    if (!StartProgram(program, folder)) {
        MarkStartAtLogon(false);
        throw Error(program + L" could not be started.");
    }
}

} // namespace varnholt
