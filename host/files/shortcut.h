#pragma once
// Shortcut files in the platform's shell-link form. Needs COM initialised on
// the calling thread, as the program's start-up does.

#include <optional>

#include "host/types.h"

// Saves a shortcut to `target` that opens it in a shown window. `link` is used
// as the file name unchanged when it holds a full stop anywhere, else ".lnk" is
// appended. Description, arguments and working directory are set only when given.
bool createShortcut(const Text& link, const Text& target, std::optional<Text> description = std::nullopt,
                    std::optional<Text> arguments = std::nullopt, std::optional<Text> workingDirectory = std::nullopt);
