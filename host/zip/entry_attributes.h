#pragma once
// What an entry's external attributes (and name) say about the file it makes.

#include <windows.h>

#include "host/zip/zip_reader.h"

namespace zip {

// A folder entry: the MS-DOS folder attribute (bit 4) or the Unix folder mode
// bit (bit 30) is set, or the name ends in a separator (some writers leave the
// attributes of folders 0).
bool isFolderEntry(const Entry& entry);

// The attributes a file entry is created with: read-only when the Unix
// owner-write bit (23) is clear or the MS-DOS read-only bit (0) is set; hidden,
// system and archive as the MS-DOS bits 1, 2 and 5 say.
DWORD creationAttributes(const Entry& entry);

} // namespace zip
