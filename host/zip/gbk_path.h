#pragma once
// Paths are bytes in the system code page (GBK): a lead byte and the byte after
// it are one character, so a trail byte 0x5C is never a backslash.

#include <cstddef>
#include <vector>

#include "host/types.h"

namespace zip {

// Offsets of the characters `separator` in `path`.
std::vector<std::size_t> characterOffsets(const Text& path, char separator);

// Whether the last character of `path` is `c`.
bool endsWithCharacter(const Text& path, char c);

// `path` with a backslash added unless its last character already is one.
Text withBackslash(const Text& path);

} // namespace zip
