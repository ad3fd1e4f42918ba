#include "host/files/file_system.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "host/files/kernel_handle.h"

namespace {

// The root of a drive however it is spelt: "C:", "C:\", and whatever else the
// platform resolves to one ("C:/", "C:\.", "\"). Emptying it would wipe the drive.
bool namesDriveRoot(const Text& directory)
{
    if (directory.size() >= 2 && directory[1] == ':' && (directory.size() == 2 || directory.substr(2) == "\\"))
        return true;
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(directory.c_str(), MAX_PATH, full, nullptr);
    return length == 3 && full[1] == ':' && full[2] == '\\';
}

struct Entry {
    Text path;
    bool directory;
    // A junction or symbolic link: what it leads to belongs to another folder.
    bool link;
};

// The directory's entries in the platform's order, without names that begin
// with a full stop ("." and ".." among them).
std::vector<Entry> listEntries(const Text& directory)
{
    std::vector<Entry> entries;
    WIN32_FIND_DATAA found;
    const FindHandle search(FindFirstFileA((directory + "\\*.*").c_str(), &found));
    if (!search.valid())
        return entries;
    do {
        if (found.cFileName[0] == '.')
            continue;
        entries.push_back({directory + "\\" + found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileA(search.get(), &found));
    return entries;
}

// Deletes what it can and goes on past every failure; attributes stay as they are.
void emptyDirectory(const Text& directory)
{
    for (const Entry& entry : listEntries(directory)) {
        if (!entry.directory) {
            DeleteFileA(entry.path.c_str());
            continue;
        }
        // Removing a link removes the link alone.
        if (!entry.link)
            emptyDirectory(entry.path);
        RemoveDirectoryA(entry.path.c_str());
    }
}

bool writeAll(HANDLE file, ByteView bytes)
{
    constexpr std::size_t chunkLimit = 1u << 30;
    for (std::size_t done = 0; done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min(bytes.size() - done, chunkLimit));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written != chunk)
            return false;
        done += written;
    }
    return true;
}

} // namespace

bool fileExists(const Text& path)
{
    WIN32_FIND_DATAA found;
    return FindHandle(FindFirstFileA(path.c_str(), &found)).valid();
}

bool createDirectory(const Text& path)
{
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool deleteDirectory(const Text& path)
{
    const std::size_t start = path.find_first_not_of(' ');
    if (start == Text::npos)
        return false;
    const Text directory = path.substr(start);
    if (namesDriveRoot(directory))
        return false;
    emptyDirectory(directory);
    return RemoveDirectoryA(directory.c_str()) != FALSE;
}

bool deleteFile(const Text& path)
{
    return DeleteFileA(path.c_str()) != FALSE;
}

bool writeFile(const Text& path, std::initializer_list<ByteView> data)
{
    if (path.empty())
        return false;
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return false;
    return std::all_of(data.begin(), data.end(), [&](ByteView bytes) { return writeAll(file.get(), bytes); });
}

bool removeEmptyDirectory(const Text& path)
{
    return RemoveDirectoryA(path.c_str()) != FALSE;
}

Text fullPathOf(const Text& path)
{
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return path;
    char longer[MAX_PATH];
    length = GetLongPathNameA(full, longer, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? Text(full) : Text(longer);
}
