#include "host/zip/entry_path.h"

#include <gtest/gtest.h>

namespace {

using namespace zip;

const Text Trail5C = "\x81\x5C"; // GBK "乗"

struct NameCase {
    Text name;
    std::optional<Text> path; // nothing: refused
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << testing::PrintToString(c.name); }

class RelativeEntryPath : public testing::TestWithParam<NameCase> {};

TEST_P(RelativeEntryPath, KeepsEveryEntryBelowTheDestination)
{
    EXPECT_EQ(relativeEntryPath(GetParam().name), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(Accepted, RelativeEntryPath, testing::Values(
    NameCase{"a.txt", "a.txt"},
    NameCase{"a/b/c.txt", "a\\b\\c.txt"},
    NameCase{"a\\b/c.txt", "a\\b\\c.txt"},
    NameCase{"dir/", "dir\\"},
    NameCase{"./a.txt", ".\\a.txt"},
    NameCase{"a..b/..c", "a..b\\..c"},
    NameCase{"a//b", "a\\\\b"},
    // The trail byte 0x5C is no separator: "乗.." is a name of its own.
    NameCase{Trail5C + "../x", Trail5C + "..\\x"},
    NameCase{"a" + Trail5C + "b.txt", "a" + Trail5C + "b.txt"}));

INSTANTIATE_TEST_SUITE_P(Refused, RelativeEntryPath, testing::Values(
    NameCase{"", {}},
    NameCase{"..", {}},
    NameCase{"../x", {}},
    NameCase{"..\\x", {}},
    NameCase{"a/..", {}},
    NameCase{"a/../../x", {}},
    NameCase{"a\\..\\..\\x", {}},
    NameCase{"..\\../x", {}},
    NameCase{".../x", {}},           // trimmed by the platform down to a parent reference
    NameCase{".. /x", {}},
    NameCase{"a/. ./x", {}},
    NameCase{"/x", {}},
    NameCase{"\\x", {}},
    NameCase{"//server/share/x", {}},
    NameCase{"\\\\server\\share\\x", {}},
    NameCase{"\\\\?\\C:\\x", {}},
    NameCase{"C:x", {}},
    NameCase{"C:\\x", {}},
    NameCase{"C:/x", {}},
    NameCase{"a/b:stream", {}},
    NameCase{Trail5C + "/../../x", {}}));

TEST(LiesBelow, ResolvesThePathAsTheFileFunctionsDo)
{
    EXPECT_TRUE(liesBelow("Z:\\d\\x", "Z:\\d\\"));
    EXPECT_TRUE(liesBelow("Z:\\d\\sub\\..\\x", "Z:\\d\\"));
    EXPECT_TRUE(liesBelow("Z:\\d\\.", "Z:\\d\\"));
    EXPECT_TRUE(liesBelow("Z:\\d\\\\x", "Z:\\d\\"));
    EXPECT_FALSE(liesBelow("Z:\\d\\..\\x", "Z:\\d\\"));
    EXPECT_FALSE(liesBelow("Z:\\d\\sub\\..\\..\\x", "Z:\\d\\"));
    EXPECT_FALSE(liesBelow("Z:\\d2\\x", "Z:\\d\\"));
    EXPECT_FALSE(liesBelow("Z:\\d\\" + Trail5C + "\\..\\..\\x", "Z:\\d\\"));
}

} // namespace
