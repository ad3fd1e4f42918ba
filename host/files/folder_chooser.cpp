#include "host/files/folder_chooser.h"

#include <windows.h>
#include <shlobj.h>

#include "host/files/program_windows_disabled.h"
#include "host/files/shell_item_list.h"

namespace {

PIDLIST_ABSOLUTE chooseItem(BROWSEINFOA& request)
{
    const ProgramWindowsDisabled disabled;
    return SHBrowseForFolderA(&request);
}

} // namespace

Text browseForFolder(const Text& title, std::optional<bool> includeFiles)
{
    const HWND active = GetActiveWindow();
    char displayName[MAX_PATH] = "";
    BROWSEINFOA request{};
    request.hwndOwner = IsWindow(active) ? active : nullptr;
    request.pszDisplayName = displayName;
    request.lpszTitle = title.c_str();
    request.ulFlags = BIF_EDITBOX | (includeFiles.value_or(false) ? BIF_BROWSEINCLUDEFILES : 0);

    const ShellItemList chosen(chooseItem(request));
    char path[MAX_PATH] = "";
    if (!chosen || !SHGetPathFromIDListA(chosen.get(), path))
        return {};
    return path;
}
