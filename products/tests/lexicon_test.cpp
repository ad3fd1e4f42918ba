#include "products/lexicon/lexicon.h"
#include "products/tests/support/products_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace chat {
namespace {

struct ParseCase {
    const char* name;
    std::string bytes;
    std::vector<LexiconEntry> entries;
    std::vector<std::size_t> issueLines;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class LexiconParsing : public testing::TestWithParam<ParseCase> {};

TEST_P(LexiconParsing, ReadsPairsAndReportsWhatItSkips)
{
    const ParsedLexicon parsed = parseLexicon(GetParam().bytes);
    EXPECT_EQ(parsed.lexicon.entries(), GetParam().entries);
    std::vector<std::size_t> issueLines;
    for (const LexiconIssue& issue : parsed.issues)
        issueLines.push_back(issue.line);
    EXPECT_EQ(issueLines, GetParam().issueLines);
}

const std::string kLongReply(501, 'x');

INSTANTIATE_TEST_SUITE_P(Files, LexiconParsing, testing::Values(
    ParseCase{"CR LF", "你好\r\n你好呀\r\n\r\n再见\r\n拜拜\r\n", {{"你好", "你好呀"}, {"再见", "拜拜"}}, {}},
    ParseCase{"lone LF", "你好\n你好呀\n\n再见\n拜拜\n", {{"你好", "你好呀"}, {"再见", "拜拜"}}, {}},
    ParseCase{"last pair without blank line or line end", "a\r\nb\r\n\r\nc\r\nd", {{"a", "b"}, {"c", "d"}}, {}},
    ParseCase{"runs of blank lines, also at both ends", "\r\n\r\na\r\nb\r\n\r\n\r\n\r\nc\r\nd\r\n\r\n", {{"a", "b"}, {"c", "d"}}, {}},
    ParseCase{"spaces around lines; a line of spaces is blank", "  a  \r\n b \r\n   \r\nc\r\nd\r\n", {{"a", "b"}, {"c", "d"}}, {}},
    ParseCase{"keyword without reply", "a\r\n\r\nb\r\nc\r\n", {{"b", "c"}}, {1}},
    ParseCase{"third line in a pair", "a\r\nb\r\nc\r\n\r\nd\r\ne\r\n", {{"a", "b"}, {"d", "e"}}, {3}},
    ParseCase{"over-long reply", "a\r\n" + kLongReply + "\r\n\r\nc\r\nd\r\n", {{"c", "d"}}, {2}},
    ParseCase{"bytes that are not GBK", "a\x81\r\nb\r\n\r\nc\r\nd\xFF\r\n", {}, {1, 5}},
    ParseCase{"tab inside a line", "a\tb\r\nc\r\n", {}, {1}},
    ParseCase{"repeated keyword, in another case", "Hi\r\nx\r\n\r\nhI\r\ny\r\n", {{"Hi", "x"}}, {4}},
    ParseCase{"empty file", "", {}, {}},
    ParseCase{"only blank lines", "\r\n\r\n\n", {}, {}}));

struct MatchCase {
    std::string message;
    const char* reply;  // null: no automatic reply
};

class LexiconMatching : public testing::TestWithParam<MatchCase> {
protected:
    const Lexicon lexicon_{{
        {"你好", "R-你好"},
        {"你好吗", "R-你好吗"},
        {"hi", "R-hi"},
        {"帮助", "R-帮助"},
        {"IP", "R-IP"},
        {"“", "R-引号"},
        {"怎么办", "R-怎么办"},
        {"不知道怎么办", "R-不知道怎么办"},
    }};
};

TEST_P(LexiconMatching, AnswersTheLongestKeywordFoundInTheMessage)
{
    const LexiconEntry* entry = lexicon_.match(GetParam().message);
    EXPECT_EQ(entry ? entry->reply : "(none)", GetParam().reply ? GetParam().reply : "(none)");
}

INSTANTIATE_TEST_SUITE_P(Messages, LexiconMatching, testing::Values(
    MatchCase{"你好", "R-你好"},
    MatchCase{"大家你好吗？", "R-你好吗"},
    MatchCase{"我不知道怎么办了", "R-不知道怎么办"},
    MatchCase{"谁能帮助我，我不知道怎么办", "R-不知道怎么办"},
    MatchCase{"帮助你好", "R-你好"},           // same length: the earlier keyword in the file
    MatchCase{"hi", "R-hi"},
    MatchCase{"Hi there", "R-hi"},
    MatchCase{"HI!", "R-hi"},
    MatchCase{"this is it", nullptr},       // inside a word
    MatchCase{"hi你好", "R-你好"},
    MatchCase{"IP地址是多少", "R-IP"},
    MatchCase{"zip", nullptr},
    // 啊啊 is B0A1 B0A1: the bytes A1 B0 of “ straddle the two characters.
    MatchCase{"啊啊", nullptr},
    MatchCase{"他说“好”", "R-引号"},
    MatchCase{"今天开会", nullptr},
    MatchCase{"", nullptr}));

TEST(LexiconMatching, EmptyLexiconNeverAnswers)
{
    EXPECT_EQ(Lexicon().match("你好"), nullptr);
}

// The file the installer ships: GBK with CR LF throughout, every pair usable.
TEST(ShippedLexicon, IsGbkWithCrLfAndParsesWithoutIssues)
{
    std::ifstream file(test::lexiconPath(), std::ios::binary);
    ASSERT_TRUE(file) << test::lexiconPath();
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.back(), '\n') << "the last line is ended too";
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        if (bytes[pos] == '\n') {
            ASSERT_TRUE(pos > 0 && bytes[pos - 1] == '\r') << "lone LF at byte " << pos;
        }
        if (bytes[pos] == '\r') {
            ASSERT_TRUE(pos + 1 < bytes.size() && bytes[pos + 1] == '\n') << "lone CR at byte " << pos;
        }
    }
    const ParsedLexicon parsed = parseLexicon(bytes);
    for (const LexiconIssue& issue : parsed.issues)
        ADD_FAILURE() << "line " << issue.line << ": " << issue.what;
    EXPECT_FALSE(parsed.lexicon.entries().empty());
    std::cout << "word library: " << parsed.lexicon.entries().size() << " pairs, " << bytes.size() << " bytes\n";
}

}  // namespace
}  // namespace chat
