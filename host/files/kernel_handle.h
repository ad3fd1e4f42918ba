#pragma once
// Owners of kernel handles that are invalid as INVALID_HANDLE_VALUE: each kind
// closes its handle with its own function when it goes.

#include <windows.h>

#include <utility>

template <BOOL(WINAPI* closeFunction)(HANDLE)>
class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    KernelHandle(KernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    KernelHandle& operator=(KernelHandle&& other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    ~KernelHandle() { close(); }

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    explicit operator bool() const { return valid(); }
    HANDLE get() const { return handle_; }

    // Closing can fail: for a file being written it is the last word on its data.
    bool close()
    {
        const HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
        return handle == INVALID_HANDLE_VALUE || closeFunction(handle);
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// A file opened by CreateFileA.
using FileHandle = KernelHandle<CloseHandle>;

// A directory search started by FindFirstFileA.
using FindHandle = KernelHandle<FindClose>;
