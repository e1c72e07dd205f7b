#pragma once
// The kill test's writer as a child process: started, then killed at once
// (SIGKILL; TerminateProcess on Windows) and waited for until it is gone.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varnholt::test::kill {

class WriterProcess {
public:
    WriterProcess();
    // Kills a writer that still runs.
    ~WriterProcess();
    WriterProcess(const WriterProcess&) = delete;
    WriterProcess& operator=(const WriterProcess&) = delete;

    // Starts `program` with `arguments` (words and paths; in the program's
    // path form, which on POSIX goes over as a '/' path). False, with the
    // system's reason in `error`, when it does not start.
    bool Start(const std::wstring& program, const std::vector<std::wstring>& arguments,
               std::string& error);

    // Its process id, as the writer's own CurrentProcessId() gives it.
    std::uint32_t Id() const noexcept { return m_id; }

    // True when it has ended by itself; `how` then says how.
    bool HasEnded(std::string& how);

    // Kills it and waits until it is gone. True when the kill ended it;
    // false when it had ended by itself before (`how` says how).
    bool Kill(std::string& how);

private:
    struct Child;
    std::unique_ptr<Child> m_child;
    std::uint32_t m_id = 0;
};

} // namespace varnholt::test::kill
