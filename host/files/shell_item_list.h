#pragma once
// Owns an item identifier list that the shell handed out and gives it back to
// the shell's allocator, the only one allowed to free it.

#include <windows.h>
#include <shlobj.h>

class ShellItemList {
public:
    explicit ShellItemList(PIDLIST_ABSOLUTE items) : items_(items) {}
    ShellItemList(const ShellItemList&) = delete;
    ShellItemList& operator=(const ShellItemList&) = delete;
    ~ShellItemList();

    PIDLIST_ABSOLUTE get() const { return items_; }
    explicit operator bool() const { return items_ != nullptr; }

private:
    PIDLIST_ABSOLUTE items_;
};
