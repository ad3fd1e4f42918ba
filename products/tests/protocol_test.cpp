#include "products/protocol/gbk_text.h"
#include "products/protocol/line_framer.h"
#include "products/protocol/nickname.h"
#include "products/protocol/wire.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace chat {
namespace {

// A small cap keeps the over-long cases readable.
constexpr std::size_t kCap = 8;

struct FramingCase {
    const char* name;
    std::vector<std::string> reads;
    std::vector<FramedLine> lines;
    bool midLine;
};

void PrintTo(const FramingCase& c, std::ostream* os) { *os << c.name; }

class Framing : public testing::TestWithParam<FramingCase> {};

TEST_P(Framing, CutsTheStreamIntoLines)
{
    LineFramer framer(kCap);
    std::vector<FramedLine> lines;
    for (const std::string& read : GetParam().reads) {
        for (FramedLine& line : framer.feed(read))
            lines.push_back(std::move(line));
    }
    EXPECT_EQ(lines, GetParam().lines);
    EXPECT_EQ(framer.midLine(), GetParam().midLine);
}

const FramedLine tooLong{{}, true};

INSTANTIATE_TEST_SUITE_P(Lines, Framing, testing::Values(
    FramingCase{"CR LF", {"SAY a\r\nSAY b\r\n"}, {{"SAY a"}, {"SAY b"}}, false},
    FramingCase{"lone LF", {"SAY a\nSAY b\n"}, {{"SAY a"}, {"SAY b"}}, false},
    FramingCase{"line ends mixed", {"a\r\nb\nc\r\n"}, {{"a"}, {"b"}, {"c"}}, false},
    FramingCase{"empty lines", {"\r\n\n"}, {{""}, {""}}, false},
    FramingCase{"split over reads, CR and LF apart", {"SA", "Y 你", "好\r", "\n"}, {{"SAY 你好"}}, false},
    FramingCase{"unfinished line waits", {"SAY a\r\nSAY b"}, {{"SAY a"}}, true},
    FramingCase{"lone CR stays in the line", {"a\rb\n"}, {{"a\rb"}}, false},
    FramingCase{"exactly the cap with CR LF", {"12345678\r\n"}, {{"12345678"}}, false},
    FramingCase{"one over the cap", {"123456789\nok\n"}, {tooLong, {"ok"}}, false},
    FramingCase{"over-long over several reads", {"1234567", "89012345", "678\r\nok\r\n"}, {tooLong, {"ok"}}, false},
    FramingCase{"over-long and unfinished", {"1234567890123"}, {}, true},
    FramingCase{"a CR before CR LF is content", {"12345678\r\r\n"}, {tooLong}, false}));

struct TextCase {
    std::string text;
    TextProblem problem;
};

class TextCheck : public testing::TestWithParam<TextCase> {};

TEST_P(TextCheck, AcceptsOnlyPrintableGbk)
{
    EXPECT_EQ(checkText(GetParam().text), GetParam().problem) << testing::PrintToString(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextCheck, testing::Values(
    TextCase{"", TextProblem::None},
    TextCase{"hello, world!", TextProblem::None},
    TextCase{"大家好，欢迎！", TextProblem::None},
    TextCase{"\x81\x40\xFE\xFE", TextProblem::None},   // first and last two-byte characters
    TextCase{"\x81", TextProblem::InvalidGbk},         // lead byte cut off
    TextCase{"a\x81 b", TextProblem::InvalidGbk},      // lead byte before a space
    TextCase{"\x81\x7F", TextProblem::InvalidGbk},     // 0x7F is no trail byte
    TextCase{"\x80", TextProblem::InvalidGbk},
    TextCase{"\xFF", TextProblem::InvalidGbk},
    TextCase{"你\xB0", TextProblem::InvalidGbk},
    TextCase{"a\tb", TextProblem::ControlCharacter},
    TextCase{"a\x7F", TextProblem::ControlCharacter},
    TextCase{std::string("a\0b", 3), TextProblem::ControlCharacter},
    TextCase{"好\r", TextProblem::ControlCharacter}));

TEST(GbkText, FitsWithoutSplittingACharacter)
{
    EXPECT_EQ(fitToCharacters("你好", 3), 2u);
    EXPECT_EQ(fitToCharacters("ab你", 3), 2u);
    EXPECT_EQ(fitToCharacters("ab你", 4), 4u);
    EXPECT_EQ(fitToCharacters("ab", 10), 2u);
}

TEST(GbkText, FindsSeparatorsOnlyBetweenCharacters)
{
    // "淺" is 0x9C 0x5C in GBK: its second byte is a backslash.
    EXPECT_EQ(findLastCharacterOf("C:\\淺", "\\/"), 2u);
    EXPECT_EQ(findLastCharacterOf("淺", "\\/"), std::string_view::npos);
    EXPECT_EQ(findLastCharacterOf("a/b\\c", "\\/"), 3u);
}

TEST(GbkText, TrimsSpacesAtTheEndsOnly)
{
    EXPECT_EQ(trimSpaces("  你 好  "), "你 好");
    EXPECT_EQ(trimSpaces("   "), "");
    EXPECT_EQ(trimSpaces("\t你好"), "\t你好");
}

TEST(GbkText, FoldsOnlySingleByteLetters)
{
    EXPECT_EQ(foldAsciiCase("Hello 世界 ABC"), "hello 世界 abc");
    // 0x81 0x41 is one character whose trail byte is an 'A'.
    EXPECT_EQ(foldAsciiCase("\x81\x41" "A"), "\x81\x41" "a");
}

struct NicknameCase {
    std::string nick;
    bool acceptable;
};

class Nicknames : public testing::TestWithParam<NicknameCase> {};

TEST_P(Nicknames, FollowTheRules)
{
    EXPECT_EQ(nicknameProblem(GetParam().nick).empty(), GetParam().acceptable) << GetParam().nick;
}

INSTANTIATE_TEST_SUITE_P(Names, Nicknames, testing::Values(
    NicknameCase{"张三", true},
    NicknameCase{"Tom_2", true},
    NicknameCase{"一二三四五六七八九十", true},    // 20 bytes
    NicknameCase{"一二三四五六七八九十一", false}, // 22 bytes
    NicknameCase{"", false},
    NicknameCase{"张 三", false},
    NicknameCase{"a\tb", false},
    NicknameCase{"\xB0", false}));

TEST(Nicknames, DifferInAsciiCaseOnlyAreTheSame)
{
    EXPECT_TRUE(sameNickname("Tom", "tOM"));
    EXPECT_FALSE(sameNickname("Tom", "Tim"));
    EXPECT_FALSE(sameNickname("\x81\x41", "\x81\x61"));  // two different characters
}

TEST(Wire, SplitsAtTheFirstSpaceAndFormatsWithCrLf)
{
    const Words msg = splitFirstWord("MSG 张三 你 好");
    EXPECT_EQ(msg.first, "MSG");
    EXPECT_EQ(msg.rest, "张三 你 好");
    const Words quit = splitFirstWord("QUIT");
    EXPECT_EQ(quit.first, "QUIT");
    EXPECT_EQ(quit.rest, "");
    EXPECT_EQ(formatLine(verb::Say, "你好"), "SAY 你好\r\n");
    EXPECT_EQ(formatLine(verb::Quit), "QUIT\r\n");
}

}  // namespace
}  // namespace chat
