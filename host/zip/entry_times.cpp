#include "host/zip/entry_times.h"

#include <optional>

namespace zip {

namespace {

constexpr std::uint16_t ExtendedTimestampTag = 0x5455; // "UT"
constexpr std::int64_t FileTimeTicksPerSecond = 10000000;
constexpr std::int64_t UnixEpochInFileTimeSeconds = 11644473600;

std::uint32_t littleEndian(const std::uint8_t* bytes, int width)
{
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

FILETIME fromTicks(std::int64_t ticks)
{
    const auto value = static_cast<std::uint64_t>(ticks);
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

FILETIME fromUnixTime(std::int32_t seconds)
{
    return fromTicks((seconds + UnixEpochInFileTimeSeconds) * FileTimeTicksPerSecond);
}

// The data of the first extended-timestamp block, if the extra field has one.
std::optional<ByteView> extendedTimestamp(ByteView extra)
{
    std::size_t at = 0;
    while (at + 4 <= extra.size()) {
        const std::uint32_t tag = littleEndian(extra.data() + at, 2);
        const std::size_t size = littleEndian(extra.data() + at + 2, 2);
        if (at + 4 + size > extra.size())
            return std::nullopt;
        if (tag == ExtendedTimestampTag)
            return ByteView(extra.data() + at + 4, size);
        at += 4 + size;
    }
    return std::nullopt;
}

} // namespace

FileTimes entryTimes(std::uint32_t dosDateTime, ByteView localExtra)
{
    FileTimes times;
    FILETIME dos{};
    if (DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime), &dos))
        times = FileTimes{dos, dos, dos};

    const auto block = extendedTimestamp(localExtra);
    if (!block || block->empty())
        return times;
    // After the flags byte come the times it names, in this order.
    const std::uint8_t flags = block->data()[0];
    FILETIME* const targets[] = {&times.written, &times.accessed, &times.created};
    std::size_t at = 1;
    for (int bit = 0; bit < 3; ++bit) {
        if (!(flags & (1 << bit)))
            continue;
        if (at + 4 > block->size())
            break;
        *targets[bit] = fromUnixTime(static_cast<std::int32_t>(littleEndian(block->data() + at, 4)));
        at += 4;
    }
    return times;
}

} // namespace zip
