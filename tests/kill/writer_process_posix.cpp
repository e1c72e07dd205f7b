#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/native_path.h"
#include "tests/kill/writer_process.h"

extern char** environ;

namespace varnholt::test::kill {

namespace {

std::string Describe(int status) {
    if (WIFEXITED(status)) {
        return "exited with code " + std::to_string(WEXITSTATUS(status));
    }
    if (WIFSIGNALED(status)) {
        return std::string("ended by signal ") + strsignal(WTERMSIG(status));
    }
    return "ended with status " + std::to_string(status);
}

} // namespace

struct WriterProcess::Child {
    pid_t pid = 0;
    bool reaped = true;
};

WriterProcess::WriterProcess() : m_child(std::make_unique<Child>()) {}

WriterProcess::~WriterProcess() {
    if (!m_child->reaped) {
        std::string ignored;
        Kill(ignored);
    }
}

bool WriterProcess::Start(const std::wstring& program, const std::vector<std::wstring>& arguments,
                          std::string& error) {
    std::vector<std::string> words{ToNativePath(program)};
    for (const std::wstring& argument : arguments) {
        words.push_back(ToNativePath(argument));
    }
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
    if (failed != 0) {
        error = "cannot start " + words[0] + ": " + std::strerror(failed);
        return false;
    }
    m_child->pid = pid;
    m_child->reaped = false;
    m_id = static_cast<std::uint32_t>(pid);
    return true;
}

bool WriterProcess::HasEnded(std::string& how) {
    if (m_child->reaped) {
        how = "not running";
        return true;
    }
    int status = 0;
    if (waitpid(m_child->pid, &status, WNOHANG) != m_child->pid) {
        return false;
    }
    m_child->reaped = true;
    how = Describe(status);
    return true;
}

bool WriterProcess::Kill(std::string& how) {
    if (m_child->reaped) {
        how = "not running";
        return false;
    }
    ::kill(m_child->pid, SIGKILL);
    int status = 0;
    while (waitpid(m_child->pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_child->reaped = true;
    how = Describe(status);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

} // namespace varnholt::test::kill
