#pragma once
// Folders created with every missing level, the way the extraction makes its
// destination and the folders of its entries.

#include "host/types.h"

namespace zip {

// Whether anything (file or folder) exists at `path`.
bool pathExists(const Text& path);

// Creates each missing level of `folder`, from the left: every prefix up to
// and including a backslash (counted by character). False when one cannot be
// created; the levels made before it stay.
bool createFolderLevels(const Text& folder);

} // namespace zip
