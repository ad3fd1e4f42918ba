#pragma once
// Where an archive entry lands: its name below the destination, every "/"
// turned into "\". A name that could lead outside the destination is refused.

#include <optional>

#include "host/types.h"

namespace zip {

// The entry's path relative to the destination; nothing when the name is
// empty, begins with a separator (rooted or UNC), holds a colon (a drive or a
// stream), or has a component of dots and spaces only other than "." (a
// parent reference, also in the forms that the platform trims down to one).
std::optional<Text> relativeEntryPath(const Text& name);

// Whether `path`, resolved the way the platform's file functions resolve it,
// lies below `folder` (which ends in a backslash).
bool liesBelow(const Text& path, const Text& folder);

} // namespace zip
