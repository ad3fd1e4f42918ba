#include "host/text/text.h"

#include <gtest/gtest.h>

namespace {

ByteSet bytes(std::string_view s) { return ByteSet(s.begin(), s.end()); }

TEST(Charset, LiteralsAreGbkAtRunTime)
{
    EXPECT_EQ(Text("当前版本"), Text("\xB5\xB1\xC7\xB0\xB0\xE6\xB1\xBE"));
}

TEST(BytesToText, StopsAtTheFirstNul)
{
    EXPECT_EQ(bytesToText(ByteSet{}), "");
    EXPECT_EQ(bytesToText(bytes(std::string_view("A\0B", 3))), "A");
    EXPECT_EQ(bytesToText(bytes(std::string_view("\0当前版本", 9))), "");
    EXPECT_EQ(bytesToText(bytes("当前版本：1.2\r\n")), "当前版本：1.2\r\n");
}

struct FindCase {
    std::string_view text, sub;
    std::optional<int> start;
    bool ignoreCase;
    int expected;
};

class FindText : public testing::TestWithParam<FindCase> {};

TEST_P(FindText, ReportsTheFirstPositionFromTheFirstByte)
{
    const auto& c = GetParam();
    EXPECT_EQ(findText(Text(c.text), Text(c.sub), c.start, c.ignoreCase), c.expected)
        << "text=" << testing::PrintToString(c.text) << " sub=" << testing::PrintToString(c.sub);
}

INSTANTIATE_TEST_SUITE_P(Cases, FindText, testing::Values(
    FindCase{"", "a", {}, false, -1},
    FindCase{"1.10", "1.1", {}, false, 1},
    FindCase{"11.1", "1.1", {}, false, 2},
    FindCase{"abcabc", "c", 3, false, 3},             // reported from the text's first byte
    FindCase{"abcabc", "a", 2, false, 4},
    FindCase{"abc", "a", 0, false, 1},                // start below 2 means the first byte
    FindCase{"abc", "a", -5, false, 1},
    FindCase{"abc", "c", 4, false, -1},               // nothing remains
    FindCase{"abc", "", {}, false, 1},                // empty sub-text
    FindCase{"abc", "", 3, false, 1},
    FindCase{"abc", "", 4, false, -1},
    FindCase{"", "", {}, false, -1},
    FindCase{"\xB0\x41", "\x41", {}, false, -1},       // never inside a two-byte character
    FindCase{"\xB0\x41\x41", "\x41", {}, false, 3},
    FindCase{"\x41\xB0", "\xB0", {}, false, 2},        // a lone trailing byte is still a start
    FindCase{"\xB0", "\xB0\x41", {}, false, -1},
    FindCase{"xabc", "ABC", {}, true, 2},             // true ignores case
    FindCase{"xabc", "ABC", {}, false, -1},
    FindCase{"x\xB0\x61", "\xB0\x41", {}, true, 2},    // folding is byte by byte
    FindCase{"a\xB0\\\\", "\\\\", {}, false, -1},    // GBK trail byte 0x5C is no backslash
    FindCase{"a\xB0\\\\\\", "\\\\", {}, false, 4},
    FindCase{"\xB0\\b", "\\b", {}, false, -1},
    FindCase{"ab\x80", "\x80", {}, false, 3},
    FindCase{"版本：1.2 当前版本", "当前版本", {}, false, 11}));

struct ReplaceCase {
    std::string_view text, oldSub;
    std::optional<std::string_view> newSub;
    std::optional<int> start, count;
    bool exactCase;
    std::string_view expected;
};

class ReplaceText : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceText, ReplacesLeftToRightWithoutOverlap)
{
    const auto& c = GetParam();
    std::optional<Text> newSub;
    if (c.newSub)
        newSub = Text(*c.newSub);
    EXPECT_EQ(replaceText(Text(c.text), Text(c.oldSub), newSub, c.start, c.count, c.exactCase), c.expected)
        << "text=" << testing::PrintToString(c.text);
}

INSTANTIATE_TEST_SUITE_P(Backslashes, ReplaceText, testing::Values(
    ReplaceCase{"C:\\\\\\x", "\\\\", "\\", {}, {}, true, "C:\\\\x"},        // three become two
    ReplaceCase{"C:\\\\\\\\x", "\\\\", "\\", {}, {}, true, "C:\\\\x"},      // four become two
    ReplaceCase{"\\\\srv\\\\d", "\\\\", "\\", {}, {}, true, "\\srv\\d"},
    ReplaceCase{"\xB0\\\\x", "\\\\", "\\", {}, {}, true, "\xB0\\\\x"},       // trail byte, then one backslash
    ReplaceCase{"\xB0\\\\\\x", "\\\\", "\\", {}, {}, true, "\xB0\\\\x"}));

INSTANTIATE_TEST_SUITE_P(Arguments, ReplaceText, testing::Values(
    ReplaceCase{"aXaXa", "X", "-", {}, 1, true, "a-aXa"},
    ReplaceCase{"aXaXa", "X", "-", {}, 0, true, "aXaXa"},
    ReplaceCase{"aXaXa", "X", "-", {}, -1, true, "a-a-a"},
    ReplaceCase{"aXaXa", "X", "-", 3, {}, true, "aXa-a"},
    ReplaceCase{"aXaXa", "X", "-", 6, {}, true, "aXaXa"},
    ReplaceCase{"aXaXa", "X", std::nullopt, {}, {}, true, "aaa"},          // omitted new text deletes
    ReplaceCase{"aXaXa", "X", "", {}, {}, true, "aaa"},
    ReplaceCase{"abc", "abc", std::nullopt, {}, {}, true, ""},
    ReplaceCase{"", "a", "b", {}, {}, true, ""},
    ReplaceCase{"abc", "", "b", {}, {}, true, "abc"},
    ReplaceCase{"aXax", "x", "-", {}, {}, true, "aXa-"},                    // true is exact case
    ReplaceCase{"aXax", "x", "-", {}, {}, false, "a-a-"},
    ReplaceCase{"aa\xB0", "a", "b", {}, {}, true, "bb\xB0"},               // lone byte kept
    ReplaceCase{"\xB0\x41\x41", "\x41", "z", {}, {}, true, "\xB0\x41z"},
    ReplaceCase{"\xB0\x41\x41", "\x41", "z", 2, {}, true, "\xB0zz"},        // start inside a character
    ReplaceCase{"aaa", "aa", "a", {}, {}, true, "aa"}));                    // new text is not rescanned

TEST(JoinText, ConcatenatesWithoutSeparator)
{
    EXPECT_EQ(joinText({"C:\\Users\\Desktop\\", "\\聊天室服务器.exe"}), "C:\\Users\\Desktop\\\\聊天室服务器.exe");
    EXPECT_EQ(joinText({"", ""}), "");
    EXPECT_EQ(joinText({"a", "", "b"}), "ab");
}

struct CompareCase {
    std::string_view a, b;
    int expected;
};

class CompareText : public testing::TestWithParam<CompareCase> {};

TEST_P(CompareText, ComparesUnsignedBytes)
{
    const auto& c = GetParam();
    EXPECT_EQ(compareText(Text(c.a), Text(c.b)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CompareText, testing::Values(
    CompareCase{"", "", 0},
    CompareCase{"a", "", 1},
    CompareCase{"", "a", -1},
    CompareCase{"ab", "b", -1},
    CompareCase{"ab", "a", 1},
    CompareCase{"\xB0", "z", 1},
    CompareCase{"聊天", "聊天", 0}));

} // namespace
