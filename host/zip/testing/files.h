#pragma once
// File helpers for tests that check what an extraction left on disk.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "host/types.h"

namespace zip_testing {

// The Windows path of a path on the Linux side (Wine's drive Z: is "/").
Text hostPath(std::string_view unixPath);

// A Linux path the test was given in an environment variable, as a Windows path.
Text hostPathFromEnvironment(const char* variable);

struct TreeItem {
    Text path; // relative to the tree's root, backslash-separated
    bool folder;
    DWORD attributes;
    FILETIME written;
    FILETIME accessed;
};

// Everything below `root`, in name order, folders before what they hold.
// Reads no file, so no access time moves.
std::vector<TreeItem> listTree(const Text& root);

std::optional<ByteSet> readBytes(const Text& path);
bool writeBytes(const Text& path, ByteView bytes);

// Removes everything below `folder`, whatever the attributes.
void emptyFolder(const Text& folder);

// Removes `root` and everything below it.
void removeTree(const Text& root);

} // namespace zip_testing
