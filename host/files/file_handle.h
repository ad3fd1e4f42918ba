#pragma once
// Owns a file opened by CreateFileA and closes it when it goes.

#include <windows.h>

class FileHandle {
public:
    explicit FileHandle(HANDLE file) : file_(file) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    bool valid() const { return file_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return file_; }

private:
    HANDLE file_;
};
