#pragma once
// The times an entry carries: the DOS date and time of its headers (local
// time, as DOS keeps it) and the NTFS times field of its central record.

#include <array>
#include <cstdint>
#include <ctime>

#include <zip.h>

struct EntryTimes {
    tm_zip dosTime;
    std::array<std::uint8_t, 36> ntfsField; // tag 0x000A: last-write, last-access, creation
};

// Every time is the file's modification time: access and change times move
// whenever the file is read or touched, and an archive should change only when
// its content does.
EntryTimes entryTimes(const timespec& modified);
