#include "products/server/exe_folder.h"

#include "products/protocol/gbk_text.h"

#include <windows.h>

namespace chat {

std::string parentFolder(std::string_view path)
{
    const std::size_t separator = findLastCharacterOf(path, "\\/");
    if (separator == std::string_view::npos)
        return {};
    return std::string(path.substr(0, separator));
}

std::string executableFolder()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return parentFolder(path);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace chat
