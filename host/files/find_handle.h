#pragma once
// Owns a directory search started by FindFirstFileA and closes it when it goes.

#include <windows.h>

class FindHandle {
public:
    explicit FindHandle(HANDLE search) : search_(search) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle();

    bool valid() const { return search_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return search_; }

private:
    HANDLE search_;
};
