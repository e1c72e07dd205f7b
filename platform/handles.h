#pragma once
// Move-only owners of Win32 handles, the one kind of owner the program's
// Windows code uses (Windows only). Each owner type names the function that
// frees its handle and the value that means "no handle"; an owner frees what
// it holds when it is destroyed, reset or assigned another handle, and
// close() frees it now and tells whether that worked (a file's last data can
// fail to reach the disk at that point).

#include <windows.h>

#include <utility>

namespace varnholt {

// The free functions report success as BOOL (non-zero), as LSTATUS
// (ERROR_SUCCESS) or, for LocalFree, as the null pointer.
inline bool Succeeded(BOOL result) noexcept {
    return result != FALSE;
}
inline bool Succeeded(LONG result) noexcept {
    return result == ERROR_SUCCESS;
}
inline bool Succeeded(HLOCAL result) noexcept {
    return result == nullptr;
}

// Traits for handles whose "none" value is a null pointer.
template <class H, auto CloseFunction> struct NullHandleTraits {
    using Handle = H;
    static constexpr Handle Invalid() noexcept { return nullptr; }
    static bool Close(Handle handle) noexcept { return Succeeded(CloseFunction(handle)); }
};

// Traits for kernel handles whose "none" value is INVALID_HANDLE_VALUE.
template <auto CloseFunction> struct InvalidValueHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool Close(Handle handle) noexcept { return Succeeded(CloseFunction(handle)); }
};

template <class Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : m_handle(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    Handle get() const noexcept { return m_handle; }
    explicit operator bool() const noexcept { return m_handle != Traits::Invalid(); }

    // Gives up ownership without freeing.
    Handle release() noexcept { return std::exchange(m_handle, Traits::Invalid()); }

    // Frees the handle now; true when there was none or freeing it worked.
    bool close() noexcept {
        const Handle old = release();
        return old == Traits::Invalid() || Traits::Close(old);
    }

    // Frees the current handle (if any) and takes `handle`.
    void reset(Handle handle = Traits::Invalid()) noexcept {
        Handle old = std::exchange(m_handle, handle);
        if (old != Traits::Invalid() && old != handle) {
            Traits::Close(old);
        }
    }

    // For functions that return a handle through an out-parameter: frees the
    // current handle and returns the address to write the new one to.
    Handle* put() noexcept {
        reset();
        return &m_handle;
    }

private:
    Handle m_handle = Traits::Invalid();
};

using UniqueIcon = UniqueHandle<NullHandleTraits<HICON, &::DestroyIcon>>;
using UniqueMenu = UniqueHandle<NullHandleTraits<HMENU, &::DestroyMenu>>;
using UniqueKey = UniqueHandle<NullHandleTraits<HKEY, &::RegCloseKey>>;
using UniqueGdiObject = UniqueHandle<NullHandleTraits<HGDIOBJ, &::DeleteObject>>;
// Memory device contexts (CreateCompatibleDC); window DCs are released, not deleted.
using UniqueMemoryDc = UniqueHandle<NullHandleTraits<HDC, &::DeleteDC>>;
using UniqueHook = UniqueHandle<NullHandleTraits<HHOOK, &::UnhookWindowsHookEx>>;
using UniqueLocalMemory = UniqueHandle<NullHandleTraits<HLOCAL, &::LocalFree>>;
// Processes, threads and other kernel objects whose "none" is null.
using UniqueKernelObject = UniqueHandle<NullHandleTraits<HANDLE, &::CloseHandle>>;
// The ownership of a mutex this thread acquired (a wait that returned it);
// freeing it releases the mutex. The handle itself has its own owner.
using UniqueMutexOwnership = UniqueHandle<NullHandleTraits<HANDLE, &::ReleaseMutex>>;
// A view of a file mapping (MapViewOfFile): the start of the mapped memory.
using UniqueMappedView = UniqueHandle<NullHandleTraits<void*, &::UnmapViewOfFile>>;
// Files, whose "none" is INVALID_HANDLE_VALUE.
using UniqueFind = UniqueHandle<InvalidValueHandleTraits<&::FindClose>>;
using UniqueFile = UniqueHandle<InvalidValueHandleTraits<&::CloseHandle>>;

} // namespace varnholt
