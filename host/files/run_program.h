#pragma once
// Starting programs and opening files through the shell.

#include <optional>

#include "host/types.h"

struct RunOptions {
    // 1 edit, 2 explore, 3 find, 4 open, 5 print; omitted or other: the file's default action.
    std::optional<int> verb;
    // Omitted: none.
    std::optional<Text> parameters;
    // Omitted: the program starts in the current directory.
    std::optional<Text> directory;
    // 1 hidden, 2 normal, 3 minimised, 4 maximised, 5 shown without activation,
    // 6 minimised with the next window activated; omitted or other: normal.
    std::optional<int> showMode;
};

// Hands the request to the shell with no owner window. Nothing comes back: a
// file that cannot be started leaves no trace.
void runProgram(const Text& file, const RunOptions& options = {});
