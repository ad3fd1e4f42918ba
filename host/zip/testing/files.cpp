#include "host/zip/testing/files.h"

#include <algorithm>
#include <cstdlib>

#include "host/files/kernel_handle.h"

namespace zip_testing {

namespace {

void collect(const Text& root, const Text& relative, std::vector<TreeItem>& items)
{
    WIN32_FIND_DATAA found;
    const Text pattern = root + "\\" + (relative.empty() ? "" : relative + "\\") + "*";
    const FindHandle search(FindFirstFileA(pattern.c_str(), &found));
    if (!search)
        return;
    std::vector<TreeItem> level;
    do {
        const Text name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        level.push_back(TreeItem{relative.empty() ? name : relative + "\\" + name,
                                 (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, found.dwFileAttributes,
                                 found.ftLastWriteTime, found.ftLastAccessTime});
    } while (FindNextFileA(search.get(), &found));
    std::sort(level.begin(), level.end(), [](const TreeItem& a, const TreeItem& b) { return a.path < b.path; });
    for (const TreeItem& item : level) {
        items.push_back(item);
        if (item.folder)
            collect(root, item.path, items);
    }
}

} // namespace

Text hostPath(std::string_view unixPath)
{
    Text path = "Z:" + Text(unixPath);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

Text hostPathFromEnvironment(const char* variable)
{
    const char* value = std::getenv(variable);
    return value ? hostPath(value) : Text();
}

std::vector<TreeItem> listTree(const Text& root)
{
    std::vector<TreeItem> items;
    collect(root, "", items);
    return items;
}

std::optional<ByteSet> readBytes(const Text& path)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.get(), &size))
        return std::nullopt;
    ByteSet bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return std::nullopt;
    return bytes;
}

bool writeBytes(const Text& path, ByteView bytes)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && file.close();
}

void emptyFolder(const Text& folder)
{
    auto items = listTree(folder);
    std::reverse(items.begin(), items.end()); // what a folder holds goes before it
    for (const TreeItem& item : items) {
        const Text path = folder + "\\" + item.path;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (item.folder)
            RemoveDirectoryA(path.c_str());
        else
            DeleteFileA(path.c_str());
    }
}

void removeTree(const Text& root)
{
    emptyFolder(root);
    RemoveDirectoryA(root.c_str());
}

} // namespace zip_testing
