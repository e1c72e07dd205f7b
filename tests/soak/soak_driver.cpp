// The soak's hand inside Wine (tests/soak/soak.py drives it): starts
// Varnholt.exe, waits for its main window, then reads one command per line
// on standard input and answers on standard output:
//
//   tick  sends timer 1's WM_TIMER to the main window and waits until the
//         handler has returned. Every other window the program shows
//         meanwhile (a message box) is reported, one line each,
//         "window <class>|<title>|<texts>", and closed as OK would close it.
//         Then "tick <ms> <handles> <handles listed> <gdi objects>
//         <user objects> <working set>": the time the handler took and the
//         program's figures right after it. GetProcessHandleCount gives 0
//         under Wine, so the handles are also counted in the system's list
//         of all handles, which Wine's server keeps.
//   quit  closes the main window; "ended <exit code>".
//
// The first line is "ready <process id>" once the main window is there, or
// "error <what>". The end of the input ends the program too, so a soak
// that dies takes the program with it.

#include <windows.h>

#include <psapi.h>
#include <winternl.h>

#include <atomic>
#include <cstdio>
#include <iostream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/handles.h"

namespace {

using varnholt::UniqueKernelObject;

constexpr DWORD kWindowWait = 60000;   // for the main window after the start
constexpr UINT kTickTimeout = 300000;  // a run over a few hundred small files takes well under
constexpr DWORD kLookInterval = 20;    // how often windows are looked for during a tick
constexpr UINT_PTR kScheduleTimer = 1; // the program's interval timer

void Say(const std::wstring& line) {
    const std::wstring text = line + L"\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

// The visible top-level windows of one process.
std::set<HWND> WindowsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::set<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && IsWindowVisible(window)) {
                s->found.insert(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindMainWindow(DWORD processId) {
    for (HWND window : WindowsOf(processId)) {
        if (ClassOf(window) == L"#32770" && TextOf(window) == L"Oskenby Varnholt" &&
            GetWindow(window, GW_OWNER) == nullptr) {
            return window;
        }
    }
    return nullptr;
}

// The handles `processId` holds, counted in the system's list of all
// handles (SystemHandleInformation); 0 when the list is not there.
std::size_t ListedHandles(DWORD processId) {
    struct Entry {
        ULONG processId;
        BYTE type;
        BYTE flags;
        USHORT value;
        void* object;
        ULONG access;
    };
    struct List {
        ULONG count;
        Entry entries[1];
    };
    constexpr NTSTATUS kLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
    std::vector<ULONG_PTR> buffer(1 << 14);
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(SystemHandleInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR)),
                                              nullptr)) == kLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) {
        return 0;
    }
    const auto* list = reinterpret_cast<const List*>(buffer.data());
    std::size_t count = 0;
    for (ULONG i = 0; i < list->count; ++i) {
        count += list->entries[i].processId == processId ? 1 : 0;
    }
    return count;
}

// A window's class, title and the texts of its children (a message box's
// message is a static control), one line.
std::wstring Describe(HWND window) {
    std::wstring texts;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            const std::wstring text = TextOf(child);
            if (!text.empty()) {
                auto& all = *reinterpret_cast<std::wstring*>(param);
                all += (all.empty() ? L"" : L" / ") + text;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    std::wstring line = ClassOf(window) + L"|" + TextOf(window) + L"|" + texts;
    for (wchar_t& c : line) {
        if (c == L'\r' || c == L'\n') {
            c = L' ';
        }
    }
    return line;
}

class Program {
public:
    explicit Program(std::wstring path) {
        const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
        std::wstring command = L"\"" + path + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &started)) {
            return;
        }
        m_process.reset(started.hProcess);
        CloseHandle(started.hThread);
        m_id = started.dwProcessId;
        for (DWORD waited = 0; m_main == nullptr && waited < kWindowWait; waited += kLookInterval) {
            if (WaitForSingleObject(m_process.get(), kLookInterval) == WAIT_OBJECT_0) {
                return;
            }
            m_main = FindMainWindow(m_id);
        }
    }

    bool Ready() const { return m_main != nullptr; }
    DWORD Id() const { return m_id; }

    // One tick, the windows it showed reported and closed.
    void Tick() {
        std::atomic<bool> returned{false};
        bool answered = false;
        ULONGLONG took = 0;
        std::thread send([&] {
            const ULONGLONG start = GetTickCount64();
            DWORD_PTR result = 0;
            answered = SendMessageTimeoutW(m_main, WM_TIMER, kScheduleTimer, 0, SMTO_NORMAL,
                                           kTickTimeout, &result) != 0;
            took = GetTickCount64() - start;
            returned = true;
        });
        std::set<HWND> reported;
        for (bool last = false; !last;) {
            last = returned; // one more look once the handler has returned
            for (HWND window : WindowsOf(m_id)) {
                if (window != m_main && reported.insert(window).second) {
                    Say(L"window " + Describe(window));
                    PostMessageW(window, WM_COMMAND, IDOK, 0);
                }
            }
            if (!last) {
                Sleep(kLookInterval);
            }
        }
        send.join();
        if (!answered) {
            Say(L"error the tick was not answered within " + std::to_wstring(kTickTimeout) +
                L" ms");
            return;
        }
        DWORD handles = 0;
        GetProcessHandleCount(m_process.get(), &handles);
        const DWORD gdi = GetGuiResources(m_process.get(), GR_GDIOBJECTS);
        const DWORD user = GetGuiResources(m_process.get(), GR_USEROBJECTS);
        PROCESS_MEMORY_COUNTERS memory{};
        GetProcessMemoryInfo(m_process.get(), &memory, sizeof(memory));
        Say(L"tick " + std::to_wstring(took) + L" " + std::to_wstring(handles) + L" " +
            std::to_wstring(ListedHandles(m_id)) + L" " + std::to_wstring(gdi) + L" " +
            std::to_wstring(user) + L" " + std::to_wstring(memory.WorkingSetSize));
    }

    // Closes the main window; the program's exit code, or -1 when it had to
    // be ended by force.
    long End() {
        if (!m_process) {
            return -1;
        }
        if (m_main != nullptr) {
            PostMessageW(m_main, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(m_process.get(), 10000) != WAIT_OBJECT_0) {
            TerminateProcess(m_process.get(), 1);
            WaitForSingleObject(m_process.get(), INFINITE);
            return -1;
        }
        DWORD code = 0;
        GetExitCodeProcess(m_process.get(), &code);
        return static_cast<long>(code);
    }

private:
    UniqueKernelObject m_process;
    DWORD m_id = 0;
    HWND m_main = nullptr;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        Say(L"error usage: soak_driver <path of Varnholt.exe>");
        return 2;
    }
    Program program(argv[1]);
    if (!program.Ready()) {
        Say(L"error the main window did not appear");
        program.End();
        return 1;
    }
    Say(L"ready " + std::to_wstring(program.Id()));
    std::string command;
    while (std::getline(std::cin, command)) {
        if (!command.empty() && command.back() == '\r') {
            command.pop_back();
        }
        if (command == "tick") {
            program.Tick();
        } else if (command == "quit") {
            break;
        } else {
            Say(L"error unknown command");
        }
    }
    Say(L"ended " + std::to_wstring(program.End()));
    return 0;
}
