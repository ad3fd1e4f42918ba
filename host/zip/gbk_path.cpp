#include "host/zip/gbk_path.h"

#include <windows.h>

namespace zip {

namespace {

// Offsets at which the characters of `path` begin.
std::vector<std::size_t> characterStarts(const Text& path)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < path.size(); i += IsDBCSLeadByte(static_cast<BYTE>(path[i])) ? 2 : 1)
        starts.push_back(i);
    return starts;
}

} // namespace

std::vector<std::size_t> characterOffsets(const Text& path, char separator)
{
    std::vector<std::size_t> offsets;
    for (std::size_t i : characterStarts(path)) {
        if (path[i] == separator)
            offsets.push_back(i);
    }
    return offsets;
}

bool endsWithCharacter(const Text& path, char c)
{
    const auto starts = characterStarts(path);
    return !starts.empty() && starts.back() == path.size() - 1 && path.back() == c;
}

Text withBackslash(const Text& path)
{
    return endsWithCharacter(path, '\\') ? path : path + '\\';
}

} // namespace zip
