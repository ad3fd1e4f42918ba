#pragma once
// A file written under a temporary name beside its final path and put in place
// in one step once its data is complete and checked, so a write that fails
// never damages or removes the file it would replace (a running program's
// file included). Until committed, the temporary file goes with its owner.

#include <windows.h>

#include <cstdint>

#include "host/types.h"
#include "host/zip/entry_times.h"
#include "host/files/kernel_handle.h"

namespace zip {

class PendingFile {
public:
    // Creates the temporary file, not shared, with `attributes`.
    PendingFile(const Text& path, DWORD attributes);
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile();

    explicit operator bool() const { return static_cast<bool>(handle_); }

    bool write(const std::uint8_t* data, DWORD size);

    // Replaces any file at the final path with the data written, then gives it
    // `times` and normal attributes. On failure the old file stays as it was.
    bool commit(const FileTimes& times);

private:
    Text path_;
    Text temporary_; // empty when none was created
    FileHandle handle_;
    bool committed_ = false;
};

} // namespace zip
