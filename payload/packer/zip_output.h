#pragma once
// A ZIP archive being written with minizip's zip layer; an archive left open
// is closed (without comment) when the owner goes.

#include <string>

#include <zip.h>

class ZipOutput {
public:
    explicit ZipOutput(const std::string& path);
    ZipOutput(const ZipOutput&) = delete;
    ZipOutput& operator=(const ZipOutput&) = delete;
    ~ZipOutput();

    explicit operator bool() const { return file_ != nullptr; }
    zipFile get() const { return file_; }
    // Writes the central directory and the end record, with no archive comment.
    bool close();

private:
    zipFile file_;
};
