// Runs one file operation from the command line and prints its result, for the
// tests that prepare and check their fixtures on the Linux side.
//   files_probe [--directory=DIR] delete-directory PATH
//   files_probe create-shortcut LINK TARGET [--description=T] [--arguments=T] [--working-directory=T]
// --directory= first makes DIR the current directory and refuses to go on when
// it cannot, so relative paths never land anywhere else.

#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstring>
#include <optional>

#include "host/files/file_system.h"
#include "host/files/shortcut.h"

namespace {

std::optional<Text> option(int argc, char** argv, const char* name)
{
    const std::size_t length = std::strlen(name);
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], name, length) == 0)
            return Text(argv[i] + length);
    }
    return std::nullopt;
}

int report(bool result)
{
    std::puts(result ? "true" : "false");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strncmp(argv[1], "--directory=", 12) == 0) {
        if (!SetCurrentDirectoryA(argv[1] + 12))
            return 3;
        --argc;
        ++argv;
    }
    if (argc == 3 && std::strcmp(argv[1], "delete-directory") == 0)
        return report(deleteDirectory(argv[2]));
    if (argc >= 4 && std::strcmp(argv[1], "create-shortcut") == 0) {
        OleInitialize(nullptr);
        const bool saved = createShortcut(argv[2], argv[3], option(argc, argv, "--description="),
                                          option(argc, argv, "--arguments="), option(argc, argv, "--working-directory="));
        OleUninitialize();
        return report(saved);
    }
    std::fputs("usage: files_probe [--directory=DIR] delete-directory PATH | create-shortcut LINK TARGET [--description=T] "
               "[--arguments=T] [--working-directory=T]\n",
               stderr);
    return 2;
}
