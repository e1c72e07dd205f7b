#include <windows.h>

#include "platform/handles.h"
#include "tests/kill/writer_process.h"

namespace varnholt::test::kill {

namespace {

// The exit code TerminateProcess gives the writer; the writer's own codes
// are small.
constexpr UINT kKilledExitCode = 0x4B111;

// Waiting for the end of a killed process: it ends at once, but a Wine that
// is busy may take a moment.
constexpr DWORD kEndTimeoutMs = 60000;

std::string Describe(DWORD exitCode) {
    return "exited with code " + std::to_string(exitCode);
}

std::string SystemError(const char* what, DWORD error) {
    return std::string(what) + ": system error " + std::to_string(error);
}

} // namespace

struct WriterProcess::Child {
    UniqueKernelObject process;
};

WriterProcess::WriterProcess() : m_child(std::make_unique<Child>()) {}

WriterProcess::~WriterProcess() {
    if (m_child->process) {
        std::string ignored;
        Kill(ignored);
    }
}

bool WriterProcess::Start(const std::wstring& program, const std::vector<std::wstring>& arguments,
                          std::string& error) {
    // Paths and words without quotes in them: quoting each is enough.
    std::wstring commandLine = L"\"" + program + L"\"";
    for (const std::wstring& argument : arguments) {
        commandLine += L" \"" + argument + L"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
        error = SystemError("cannot start the writer", GetLastError());
        return false;
    }
    const UniqueKernelObject thread(started.hThread);
    m_child->process.reset(started.hProcess);
    m_id = started.dwProcessId;
    return true;
}

bool WriterProcess::HasEnded(std::string& how) {
    if (!m_child->process) {
        how = "not running";
        return true;
    }
    if (WaitForSingleObject(m_child->process.get(), 0) != WAIT_OBJECT_0) {
        return false;
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(m_child->process.get(), &exitCode);
    m_child->process.reset();
    how = Describe(exitCode);
    return true;
}

bool WriterProcess::Kill(std::string& how) {
    if (!m_child->process) {
        how = "not running";
        return false;
    }
    // Fails when the process has ended already; its exit code tells.
    TerminateProcess(m_child->process.get(), kKilledExitCode);
    if (WaitForSingleObject(m_child->process.get(), kEndTimeoutMs) != WAIT_OBJECT_0) {
        how = SystemError("the killed writer did not end", GetLastError());
        return false;
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(m_child->process.get(), &exitCode);
    // Closed now: a process that nothing holds open counts as gone at once.
    m_child->process.reset();
    how = exitCode == kKilledExitCode ? "killed" : Describe(exitCode);
    return exitCode == kKilledExitCode;
}

} // namespace varnholt::test::kill
