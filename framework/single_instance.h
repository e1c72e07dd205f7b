#pragma once
// One running instance of a program per program folder. Two instances on one
// folder would share its settings file and each write back what it holds,
// so the instance that starts first owns the folder for its whole life: a
// named mutex in the session's Local\ namespace, named for the program and
// the folder's identity, plus a small named file mapping beside it holding
// the owner's process id and whether it has a window. A later start from the
// same folder finds the mutex owned, lets the owner take the foreground, asks
// its windows by the registered message ShowInstanceMessage() to come to the
// front and ends. An owner without a window (a run from the command line)
// has nothing to show: a later start waits until it ends, then runs.
// Instances in different folders have different names and run side by side.

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace varnholt {

// The name the named objects of `program` (a file name such as "Varnholt.exe",
// letter case ignored) running from `folder` share, without namespace. It is
// made from the folder's identity (volume serial number and file index), so
// that every spelling of the folder Windows resolves to the same folder gives
// one name: letter case, short 8.3 names, a trailing backslash, a junction or
// another drive reaching it. When the folder cannot be opened or reports no
// file index, it is made from the full path with letter case folded.
std::wstring InstanceName(const std::wstring& program, const std::wstring& folder);

// The registered message a later start sends to the running instance's
// top-level windows. Its main window comes to the front and answers
// kInstanceShown; other windows ignore it and answer 0.
UINT ShowInstanceMessage();
inline constexpr LRESULT kInstanceShown = 0x5643;

// Lets a later start with fewer rights reach `window` with
// ShowInstanceMessage() when this instance runs elevated ("as
// administrator"): Windows drops messages from such processes otherwise.
void AcceptShowInstanceMessage(HWND window) noexcept;

// This process's ownership of its program folder.
class InstanceClaim {
public:
    // How the claiming process meets its user.
    enum class Kind {
        Window,     // shows a window; a later start asks it to come forward
        Windowless, // shows none; a later start waits until it has ended
    };

    // Claims `folder` for `program`. When another instance owns it: a
    // windowless owner is waited for, and the claim goes to this process
    // once it has ended; an owner with a window is asked to come to the front
    // (waiting for its main window while it starts, up to a few seconds) and
    // nothing is claimed. A Windowless claim waits for no owner and asks
    // none: the answer comes at once. When the owner ends meanwhile, the
    // claim goes to this process. Writes no file.
    InstanceClaim(const std::wstring& program, const std::wstring& folder,
                  Kind kind = Kind::Window);

    // True when this process owns the folder and may run; false when another
    // instance runs from it, also one started elevated whose objects this
    // process may wait on but not create. Should the named objects be out of
    // reach otherwise (a name taken by another kind of object), it runs
    // without a claim.
    bool Owned() const noexcept { return m_owned; }

private:
    bool m_owned = false;
    // Declared in this order so the ownership is released before the handle
    // it belongs to is closed.
    UniqueKernelObject m_mutex;
    UniqueMutexOwnership m_ownership;
    UniqueKernelObject m_mapping;
};

// For a program that starts another: true when an instance of `program` with
// a window runs from `folder`; it was then asked to come to the front. A
// windowless one is waited for until it has ended. Claims nothing.
bool ShowRunningInstance(const std::wstring& program, const std::wstring& folder);

} // namespace varnholt
