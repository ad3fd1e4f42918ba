#include "host/zip/pending_file.h"

#include <string>

namespace zip {

namespace {

// Leftovers of an interrupted run may hold the first names.
constexpr int TemporaryNameAttempts = 100;

const FILETIME* givenTime(const FILETIME& time)
{
    return time.dwLowDateTime || time.dwHighDateTime ? &time : nullptr;
}

bool setTimes(const Text& path, const FileTimes& times)
{
    FileHandle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return file &&
           SetFileTime(file.get(), givenTime(times.created), givenTime(times.accessed), givenTime(times.written));
}

} // namespace

PendingFile::PendingFile(const Text& path, DWORD attributes) : path_(path)
{
    for (int attempt = 1; attempt <= TemporaryNameAttempts; ++attempt) {
        const Text name = path + ".~" + std::to_string(attempt);
        handle_ = FileHandle(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
        if (handle_) {
            temporary_ = name;
            return;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            return;
    }
}

PendingFile::~PendingFile()
{
    if (committed_ || temporary_.empty())
        return;
    handle_.close();
    SetFileAttributesA(temporary_.c_str(), FILE_ATTRIBUTE_NORMAL); // a read-only file cannot be deleted
    DeleteFileA(temporary_.c_str());
}

bool PendingFile::write(const std::uint8_t* data, DWORD size)
{
    DWORD written = 0;
    return WriteFile(handle_.get(), data, size, &written, nullptr) && written == size;
}

bool PendingFile::commit(const FileTimes& times)
{
    if (!handle_.close())
        return false;
    // A read-only file cannot be replaced: the old file loses its attributes
    // for the replacement only, and gets them back when it fails.
    const DWORD old = GetFileAttributesA(path_.c_str());
    const bool cleared = old != INVALID_FILE_ATTRIBUTES && !(old & FILE_ATTRIBUTE_DIRECTORY) &&
                         SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!MoveFileExA(temporary_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        if (cleared)
            SetFileAttributesA(path_.c_str(), old);
        return false;
    }
    committed_ = true;
    // The times go on after the replacement: a file system that tunnels names
    // would otherwise give the new file the old one's creation time.
    return setTimes(path_, times) && SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace zip
