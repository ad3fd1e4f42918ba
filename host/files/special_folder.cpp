#include "host/files/special_folder.h"

#include <windows.h>
#include <shlobj.h>

namespace {

constexpr int shellFolders[] = {CSIDL_PERSONAL, CSIDL_FAVORITES, CSIDL_DESKTOPDIRECTORY, CSIDL_FONTS,
                                CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_STARTUP, CSIDL_APPDATA};
constexpr int shellFolderCount = sizeof shellFolders / sizeof shellFolders[0];

// The platform's length result: 0 on failure, the needed size when too small.
bool filled(DWORD length) { return length > 0 && length < MAX_PATH; }

// Fills `buffer` (MAX_PATH bytes) with the folder's path; false when there is none.
bool fetchFolder(int kind, char* buffer)
{
    if (kind >= 1 && kind <= shellFolderCount)
        return SHGetSpecialFolderPathA(nullptr, buffer, shellFolders[kind - 1], FALSE);
    switch (kind) {
    case 9:
        return filled(GetWindowsDirectoryA(buffer, MAX_PATH));
    case 10:
        return filled(GetSystemDirectoryA(buffer, MAX_PATH));
    case 11:
        return filled(GetTempPathA(MAX_PATH, buffer));
    default:
        return false;
    }
}

// A 0x5C byte may be the second half of a GBK character (as in "乗"); only a
// backslash of its own ends the path in one.
bool endsInBackslash(const Text& path)
{
    std::size_t last = 0;
    for (std::size_t i = 0; i < path.size(); i += static_cast<unsigned char>(path[i]) >= 0x80 ? 2 : 1)
        last = i;
    return !path.empty() && last == path.size() - 1 && path[last] == '\\';
}

} // namespace

Text getSpecialFolder(int kind)
{
    char buffer[MAX_PATH] = "";
    if (!fetchFolder(kind, buffer))
        return {};
    Text path(buffer);
    if (!path.empty() && !endsInBackslash(path))
        path += '\\';
    return path;
}
