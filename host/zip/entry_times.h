#pragma once
// The times an extracted file gets from its archive entry.

#include <windows.h>

#include <cstdint>

#include "host/types.h"

namespace zip {

// A zero time leaves the file's own time unchanged.
struct FileTimes {
    FILETIME created{};
    FILETIME accessed{};
    FILETIME written{};
};

// All three times are the entry's DOS date and time (date in the high 16
// bits), taken as they stand with no time-zone shift. An extended-timestamp
// block ("UT") in the entry's local extra field replaces the times its flags
// say it holds with its Unix times (UTC).
FileTimes entryTimes(std::uint32_t dosDateTime, ByteView localExtra);

} // namespace zip
