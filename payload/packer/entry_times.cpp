#include "entry_times.h"

namespace {

// Seconds from 1601-01-01 (the FILETIME epoch) to 1970-01-01.
constexpr std::uint64_t FileTimeEpochOffset = 11644473600ULL;

template <std::size_t N>
void putLittleEndian(std::array<std::uint8_t, N>& bytes, std::size_t at, std::uint64_t value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

tm_zip dosTime(std::time_t seconds)
{
    std::tm local{};
    localtime_r(&seconds, &local);
    if (local.tm_year < 80) { // DOS dates begin in 1980
        local = std::tm{};
        local.tm_mday = 1;
        local.tm_year = 80;
    }
    tm_zip t{};
    t.tm_sec = local.tm_sec;
    t.tm_min = local.tm_min;
    t.tm_hour = local.tm_hour;
    t.tm_mday = local.tm_mday;
    t.tm_mon = local.tm_mon;
    t.tm_year = local.tm_year + 1900;
    return t;
}

} // namespace

EntryTimes entryTimes(const timespec& modified)
{
    EntryTimes times{dosTime(modified.tv_sec), {}};
    const std::uint64_t fileTime =
        (static_cast<std::uint64_t>(modified.tv_sec) + FileTimeEpochOffset) * 10000000ULL +
        static_cast<std::uint64_t>(modified.tv_nsec) / 100;
    auto& field = times.ntfsField;
    putLittleEndian(field, 0, 0x000A, 2); // NTFS extra field
    putLittleEndian(field, 2, 32, 2);     // its size after this header
    putLittleEndian(field, 4, 0, 4);      // reserved
    putLittleEndian(field, 8, 0x0001, 2); // attribute 1: the three times
    putLittleEndian(field, 10, 24, 2);
    for (int i = 0; i < 3; ++i)
        putLittleEndian(field, 12 + 8 * i, fileTime, 8);
    return times;
}
