#pragma once
// Owners of kernel handles that are invalid as INVALID_HANDLE_VALUE: each kind
// closes its handle with its own function when it goes.

#include <windows.h>

template <BOOL(WINAPI* close)(HANDLE)>
class KernelHandle {
public:
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    ~KernelHandle()
    {
        if (valid())
            close(handle_);
    }

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// A file opened by CreateFileA.
using FileHandle = KernelHandle<CloseHandle>;

// A directory search started by FindFirstFileA.
using FindHandle = KernelHandle<FindClose>;
