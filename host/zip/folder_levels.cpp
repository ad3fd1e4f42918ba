#include "host/zip/folder_levels.h"

#include <windows.h>

#include "host/zip/gbk_path.h"

namespace zip {

bool pathExists(const Text& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool createFolderLevels(const Text& folder)
{
    const Text path = withBackslash(folder);
    for (std::size_t end : characterOffsets(path, '\\')) {
        const Text level = path.substr(0, end + 1);
        if (!pathExists(level) && !CreateDirectoryA(level.c_str(), nullptr))
            return false;
    }
    return true;
}

} // namespace zip
