#pragma once
// Files and folders by path. Paths go to the platform unchanged: relative ones
// resolve against the current directory, doubled backslashes are accepted.

#include <initializer_list>

#include "host/types.h"

// True when anything matches: a file, a directory named without a trailing
// backslash, or any entry matching wildcards.
bool fileExists(const Text& path);

// Creates exactly one directory; its parent must exist already.
bool createDirectory(const Text& path);

// Empties the directory (leading spaces of the path skipped) and removes it;
// true when the directory itself went. Entries whose names begin with a full
// stop, read-only files and files in use stay, and so does the directory then.
// Links to other folders are removed, never entered. A drive root is refused.
bool deleteDirectory(const Text& path);

// Deletes one file; false when it is missing, read-only, in use or a directory.
bool deleteFile(const Text& path);

// Creates or truncates the file and writes the byte sets in order; missing
// folders are not created. On a write error the bytes written so far stay.
bool writeFile(const Text& path, std::initializer_list<ByteView> data);

// Removes the directory only when it is empty.
bool removeEmptyDirectory(const Text& path);

// The absolute form of the path, with long names for the parts that exist.
Text fullPathOf(const Text& path);
