#include "host/files/scratch_folder.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "host/files/kernel_handle.h"

namespace {

// Independent of the code under test, and thorough: it clears attributes first.
void removeTree(const Text& path)
{
    WIN32_FIND_DATAA found;
    const FindHandle search(FindFirstFileA((path + "\\*").c_str(), &found));
    if (search.valid()) {
        do {
            const Text name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const Text inner = path + "\\" + name;
            SetFileAttributesA(inner.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                removeTree(inner);
            else if (!DeleteFileA(inner.c_str()))
                RemoveDirectoryA(inner.c_str());
        } while (FindNextFileA(search.get(), &found));
    }
    RemoveDirectoryA(path.c_str());
}

} // namespace

ScratchFolder::ScratchFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const Text stem = Text(temp) + "tavrimo-test-" + std::to_string(GetCurrentProcessId()) + "-";
    for (unsigned n = 0; path_.empty(); ++n) {
        const Text candidate = stem + std::to_string(n);
        if (CreateDirectoryA(candidate.c_str(), nullptr))
            path_ = candidate;
        else if (GetLastError() != ERROR_ALREADY_EXISTS)
            // Without a folder of their own, tests would work on paths outside it.
            std::abort();
    }
}

ScratchFolder::~ScratchFolder()
{
    removeTree(path_);
}

bool putFile(const Text& path, const Text& content)
{
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file.valid() && WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
           written == content.size();
}

Text fileContent(const Text& path)
{
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    Text content;
    char buffer[4096];
    DWORD got = 0;
    while (file.valid() && ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    return content;
}
