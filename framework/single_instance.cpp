#include "framework/single_instance.h"

#include <cstdint>
#include <cwchar>

#include "platform/folders.h"

namespace varnholt {

namespace {

// How long a later start waits for the owner's main window to answer: at
// logon the owner may still be opening it, and during a run it lets messages
// through only between files.
constexpr ULONGLONG kAnswerWaitMs = 10000;
// The pause between two attempts. It is a wait on the mutex, so an owner
// that ends meanwhile hands the folder over at once.
constexpr DWORD kAttemptPauseMs = 100;
// How long one window may take to answer.
constexpr UINT kSendTimeoutMs = 2000;

std::wstring Hex(std::uint64_t value) {
    wchar_t text[17] = {};
    std::swprintf(text, 17, L"%016llx", static_cast<unsigned long long>(value));
    return text;
}

// 64-bit FNV-1a over the UTF-16 code units: a path of any length becomes a
// name of fixed length.
std::uint64_t PathHash(const std::wstring& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const wchar_t unit : text) {
        hash = (hash ^ static_cast<std::uint16_t>(unit)) * 1099511628211ull;
    }
    return hash;
}

// The folder's full path: relative parts resolved, forward slashes turned
// into backslashes, short names made long where the folder can be found, no
// trailing backslash ("C:" for a drive's root).
std::wstring FullPath(const std::wstring& folder) {
    // A bare drive ("C:") would name that drive's current folder.
    const std::wstring given = !folder.empty() && folder.back() == L':' ? folder + L"\\" : folder;
    std::wstring full(GetFullPathNameW(given.c_str(), 0, nullptr, nullptr), L'\0');
    full.resize(
        GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    if (full.empty()) {
        full = given;
    }
    std::wstring longPath(GetLongPathNameW(full.c_str(), nullptr, 0), L'\0');
    const DWORD longLength =
        GetLongPathNameW(full.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
    if (longLength != 0 && longLength < longPath.size()) {
        longPath.resize(longLength);
        full = longPath;
    }
    while (!full.empty() && full.back() == L'\\') {
        full.pop_back();
    }
    return full;
}

struct InstanceObjectNames {
    std::wstring mutex;
    std::wstring mapping;
};

InstanceObjectNames ObjectNames(const std::wstring& program, const std::wstring& folder) {
    const std::wstring name = L"Local\\" + InstanceName(program, folder);
    return {name, name + L".process"};
}

// What the owner keeps in the mapping: its process id (0 while there is
// none yet) and whether it shows no window.
struct OwnerRecord {
    DWORD processId = 0;
    DWORD windowless = 0;
};

OwnerRecord ReadOwner(const std::wstring& mappingName) {
    const UniqueKernelObject mapping(OpenFileMappingW(FILE_MAP_READ, FALSE, mappingName.c_str()));
    if (!mapping) {
        return {};
    }
    const UniqueMappedView view(
        MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(OwnerRecord)));
    if (!view) {
        return {};
    }
    const auto* record = static_cast<const volatile DWORD*>(view.get());
    return {record[0], record[1]};
}

// Asks the top-level windows of process `processId` to come to the front;
// true when its main window answered.
bool AskToComeForward(DWORD processId) {
    if (processId == 0) {
        return false;
    }
    // This start is the user's latest action, so the foreground is ours to
    // pass on; without it the owner could only flash its taskbar button.
    AllowSetForegroundWindow(processId);
    struct Search {
        DWORD processId;
        bool shown;
    } search{processId, false};
    EnumWindows(
        [](HWND window, LPARAM param) noexcept -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD windowProcess = 0;
            GetWindowThreadProcessId(window, &windowProcess);
            if (windowProcess != s.processId) {
                return TRUE;
            }
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutW(window, ShowInstanceMessage(), 0, 0,
                                    SMTO_ABORTIFHUNG | SMTO_BLOCK, kSendTimeoutMs, &answer) &&
                static_cast<LRESULT>(answer) == kInstanceShown) {
                s.shown = true;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.shown;
}

enum class MutexOutcome {
    Acquired, // this thread owns it: there was no owner, or it ended meanwhile
    Shown,    // the owner's main window came forward, or the owner kept it
              // without answering for the whole wait
    Failed,   // the wait itself failed
};

// Tries to acquire `mutex`; while another process owns it, asks the owner
// (found through the mapping) to come forward, for up to kAnswerWaitMs.
MutexOutcome AcquireOrShowOwner(HANDLE mutex, const std::wstring& mappingName, bool showOwner) {
    if (!showOwner) {
        const DWORD result = WaitForSingleObject(mutex, 0);
        return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED ? MutexOutcome::Acquired
               : result == WAIT_TIMEOUT                            ? MutexOutcome::Shown
                                                                   : MutexOutcome::Failed;
    }
    ULONGLONG deadline = GetTickCount64() + kAnswerWaitMs;
    DWORD pause = 0;
    for (;;) {
        const DWORD result = WaitForSingleObject(mutex, pause);
        if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) {
            return MutexOutcome::Acquired;
        }
        if (result != WAIT_TIMEOUT) {
            return MutexOutcome::Failed;
        }
        const OwnerRecord owner = ReadOwner(mappingName);
        if (owner.windowless != 0) {
            // A run from the command line: nothing to show, and it ends on
            // its own; the folder is this start's then. Asked again at each
            // attempt: another start waiting too may take the folder first,
            // and its window is then the one to bring forward.
            deadline = GetTickCount64() + kAnswerWaitMs;
            pause = kAttemptPauseMs;
            continue;
        }
        if (AskToComeForward(owner.processId) || GetTickCount64() >= deadline) {
            return MutexOutcome::Shown;
        }
        pause = kAttemptPauseMs;
    }
}

} // namespace

std::wstring InstanceName(const std::wstring& program, const std::wstring& folder) {
    const std::wstring full = FullPath(folder);
    const std::wstring name = FileNameKey(program);
    FolderIdentity identity;
    // Some network file systems report no file index; the path tells better.
    if (!full.empty() && QueryFolderIdentity(full.back() == L':' ? full + L"\\" : full, identity) &&
        identity.index != 0) {
        return name + L".folder." + Hex(identity.volume) + L"." + Hex(identity.index);
    }
    return name + L".path." + Hex(PathHash(FileNameKey(full)));
}

UINT ShowInstanceMessage() {
    static const UINT message = RegisterWindowMessageW(L"Varnholt.ShowInstance");
    return message;
}

void AcceptShowInstanceMessage(HWND window) noexcept {
    ChangeWindowMessageFilterEx(window, ShowInstanceMessage(), MSGFLT_ALLOW, nullptr);
}

InstanceClaim::InstanceClaim(const std::wstring& program, const std::wstring& folder, Kind kind) {
    const bool showOwner = kind == Kind::Window;
    const InstanceObjectNames names = ObjectNames(program, folder);
    m_mutex.reset(CreateMutexW(nullptr, FALSE, names.mutex.c_str()));
    if (!m_mutex && GetLastError() == ERROR_ACCESS_DENIED) {
        // The mutex is there, made by an instance with more rights (started
        // elevated): it may be waited on, not created, and that instance
        // owns the folder unless it ends meanwhile.
        m_mutex.reset(OpenMutexW(SYNCHRONIZE, FALSE, names.mutex.c_str()));
        if (!m_mutex) {
            return;
        }
    }
    if (!m_mutex) {
        m_owned = true;
        return;
    }
    switch (AcquireOrShowOwner(m_mutex.get(), names.mapping, showOwner)) {
    case MutexOutcome::Acquired:
        m_ownership.reset(m_mutex.get());
        break;
    case MutexOutcome::Shown:
        m_mutex.reset();
        return;
    case MutexOutcome::Failed:
        break;
    }
    m_owned = true;
    // The owner's process id, for the windows a later start asks to come
    // forward, and whether there are any. A mapping left open by such a
    // start is the same object and gets the new record.
    m_mapping.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                       sizeof(OwnerRecord), names.mapping.c_str()));
    if (m_mapping) {
        const UniqueMappedView view(
            MapViewOfFile(m_mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(OwnerRecord)));
        if (view) {
            auto* record = static_cast<volatile DWORD*>(view.get());
            record[1] = kind == Kind::Windowless ? 1 : 0;
            record[0] = GetCurrentProcessId();
        }
    }
}

bool ShowRunningInstance(const std::wstring& program, const std::wstring& folder) {
    const InstanceObjectNames names = ObjectNames(program, folder);
    const UniqueKernelObject mutex(OpenMutexW(SYNCHRONIZE, FALSE, names.mutex.c_str()));
    if (!mutex) {
        return false;
    }
    switch (AcquireOrShowOwner(mutex.get(), names.mapping, true)) {
    case MutexOutcome::Acquired: {
        // Nobody owns the folder: hand the mutex straight back for the
        // program this process is about to start.
        const UniqueMutexOwnership released(mutex.get());
        return false;
    }
    case MutexOutcome::Shown:
        return true;
    case MutexOutcome::Failed:
        break;
    }
    return false;
}

} // namespace varnholt
