#pragma once
// Move-only owners of Win32 handles. Each owner type names the function that
// frees its handle and the value that means "no handle"; an owner frees what
// it holds when it is destroyed, reset or assigned another handle.

#include <windows.h>

#include <utility>

namespace varnholt {

// Traits for handles whose "none" value is a null pointer.
template <class H, auto CloseFunction> struct NullHandleTraits {
    using Handle = H;
    static constexpr Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { CloseFunction(handle); }
};

// Traits for kernel handles whose "none" value is INVALID_HANDLE_VALUE.
template <auto CloseFunction> struct InvalidValueHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { CloseFunction(handle); }
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
using UniqueFind = UniqueHandle<InvalidValueHandleTraits<&::FindClose>>;
using UniqueFile = UniqueHandle<InvalidValueHandleTraits<&::CloseHandle>>;

} // namespace varnholt
