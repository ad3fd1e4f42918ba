#include "host/files/run_program.h"

#include <windows.h>
#include <shellapi.h>

namespace {

template <typename T, std::size_t N>
T pick(const T (&choices)[N], std::optional<int> number, T fallback)
{
    return number && *number >= 1 && *number <= static_cast<int>(N) ? choices[*number - 1] : fallback;
}

constexpr const char* verbs[] = {"edit", "explore", "find", "open", "print"};
constexpr int showModes[] = {SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED, SW_SHOWNA, SW_MINIMIZE};

} // namespace

void runProgram(const Text& file, const RunOptions& options)
{
    const Text directory = options.directory.value_or(Text());
    ShellExecuteA(nullptr, pick<const char*>(verbs, options.verb, nullptr), file.c_str(),
                  options.parameters ? options.parameters->c_str() : nullptr, directory.c_str(),
                  pick(showModes, options.showMode, SW_SHOWNORMAL));
}
