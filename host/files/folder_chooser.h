#pragma once
// The platform's folder chooser, modal over the whole program.

#include <optional>

#include "host/types.h"

// Lets the user pick a folder, or also a file when `includeFiles` is true,
// anywhere in the shell's namespace. Returns its path (a drive root with its
// backslash, any other folder without one); empty when the user cancels or the
// item has no file-system path. The program's windows take no input meanwhile.
Text browseForFolder(const Text& title, std::optional<bool> includeFiles = std::nullopt);
