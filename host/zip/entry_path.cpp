#include "host/zip/entry_path.h"

#include <windows.h>

#include <algorithm>

#include "host/zip/gbk_path.h"

namespace zip {

namespace {

bool isParentLike(const Text& component)
{
    return !component.empty() && component != "." &&
           component.find_first_not_of(". ") == Text::npos;
}

std::optional<Text> fullPath(const Text& path)
{
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return std::nullopt;
    Text full(needed, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return std::nullopt;
    full.resize(length);
    return full;
}

} // namespace

std::optional<Text> relativeEntryPath(const Text& name)
{
    Text path = name;
    std::replace(path.begin(), path.end(), '/', '\\');
    if (path.empty() || path.front() == '\\' || path.find(':') != Text::npos)
        return std::nullopt;
    std::size_t begin = 0;
    auto ends = characterOffsets(path, '\\');
    ends.push_back(path.size());
    for (std::size_t end : ends) {
        if (isParentLike(path.substr(begin, end - begin)))
            return std::nullopt;
        begin = end + 1;
    }
    return path;
}

bool liesBelow(const Text& path, const Text& folder)
{
    const auto full = fullPath(path);
    const auto base = fullPath(folder);
    if (!full || !base)
        return false;
    // The destination itself counts as below it: "./" names it.
    const Text prefix = withBackslash(*base);
    return withBackslash(*full).compare(0, prefix.size(), prefix) == 0;
}

} // namespace zip
