#include "host/zip/entry_times.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace zip;

// 2014-12-04 15:02:04 in DOS form: date in the high, time in the low 16 bits.
constexpr std::uint32_t DosTime = 0x45847842;

FILETIME at(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME time{year, month, 0, day, hour, minute, second, 0};
    FILETIME result{};
    SystemTimeToFileTime(&time, &result);
    return result;
}

const FILETIME Dos = at(2014, 12, 4, 15, 2, 4);
const FILETIME Unset{};
// Unix times 1500000000, 1500003600 and 1400000000.
const FILETIME Modified = at(2017, 7, 14, 2, 40, 0);
const FILETIME Accessed = at(2017, 7, 14, 3, 40, 0);
const FILETIME Created = at(2014, 5, 13, 16, 53, 20);

ByteSet operator+(const ByteSet& a, const ByteSet& b)
{
    ByteSet joined(a.size() + b.size());
    std::copy(b.begin(), b.end(), std::copy(a.begin(), a.end(), joined.begin()));
    return joined;
}

// An extra-field block: tag, size, data.
ByteSet block(std::uint16_t tag, const ByteSet& data)
{
    return ByteSet{static_cast<std::uint8_t>(tag), static_cast<std::uint8_t>(tag >> 8),
                   static_cast<std::uint8_t>(data.size()), static_cast<std::uint8_t>(data.size() >> 8)} +
           data;
}

const ByteSet ModifiedBytes{0x00, 0x2F, 0x68, 0x59};
const ByteSet AccessedBytes{0x10, 0x3D, 0x68, 0x59};
const ByteSet CreatedBytes{0x00, 0x4E, 0x72, 0x53};

struct TimesCase {
    const char* label;
    std::uint32_t dos;
    ByteSet extra;
    FILETIME written, accessed, created;
};

void PrintTo(const TimesCase& c, std::ostream* os) { *os << c.label; }

bool operator==(const FILETIME& a, const FILETIME& b)
{
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

class EntryTimes : public testing::TestWithParam<TimesCase> {};

TEST_P(EntryTimes, ComeFromTheDosTimeOrTheExtendedTimestamp)
{
    const TimesCase& c = GetParam();
    const FileTimes times = entryTimes(c.dos, c.extra);
    EXPECT_TRUE(times.written == c.written);
    EXPECT_TRUE(times.accessed == c.accessed);
    EXPECT_TRUE(times.created == c.created);
}

INSTANTIATE_TEST_SUITE_P(Cases, EntryTimes, testing::Values(
    TimesCase{"dos time as it stands", DosTime, {}, Dos, Dos, Dos},
    TimesCase{"invalid dos time leaves the file's times", 0, {}, Unset, Unset, Unset},
    TimesCase{"all three flagged", DosTime, block(0x5455, ByteSet{7} + ModifiedBytes + AccessedBytes + CreatedBytes),
              Modified, Accessed, Created},
    TimesCase{"modification only", DosTime, block(0x5455, ByteSet{1} + ModifiedBytes), Modified, Dos, Dos},
    TimesCase{"access and creation", DosTime, block(0x5455, ByteSet{6} + AccessedBytes + CreatedBytes),
              Dos, Accessed, Created},
    TimesCase{"after another block", DosTime,
              block(0x7875, ByteSet{1, 4, 0, 0, 0, 0, 4, 0, 0, 0, 0}) + block(0x5455, ByteSet{1} + ModifiedBytes),
              Modified, Dos, Dos},
    TimesCase{"flagged time missing from the block", DosTime, block(0x5455, ByteSet{3} + ModifiedBytes),
              Modified, Dos, Dos},
    TimesCase{"block longer than the field", DosTime, ByteSet{0x55, 0x54, 0x20, 0x00, 0x01, 0x2F, 0x44},
              Dos, Dos, Dos}));

} // namespace
