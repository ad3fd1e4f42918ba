#include "products/tests/support/temp_folder.h"

#include <windows.h>

#include <stdexcept>

namespace chat::test {

TempFolder::TempFolder()
{
    char base[MAX_PATH];
    if (!GetTempPathA(MAX_PATH, base))
        throw std::runtime_error("GetTempPathA failed");
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const std::string candidate = std::string(base) + "tavrimo-chat-" + std::to_string(GetCurrentProcessId()) + "-"
            + std::to_string(GetTickCount64()) + "-" + std::to_string(attempt);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(file("*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA(file(found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
}

}  // namespace chat::test
