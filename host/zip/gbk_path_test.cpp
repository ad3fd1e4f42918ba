#include "host/zip/gbk_path.h"

#include <gtest/gtest.h>

namespace {

using namespace zip;

// GBK "乗" is 81 5C: its trail byte is the backslash byte.
const Text Trail5C = "\x81\x5C";

TEST(CharacterOffsets, SkipTrailBytes)
{
    EXPECT_EQ(characterOffsets("a\\b\\c", '\\'), (std::vector<std::size_t>{1, 3}));
    EXPECT_EQ(characterOffsets(Trail5C, '\\'), std::vector<std::size_t>{});
    EXPECT_EQ(characterOffsets("\\" + Trail5C + "\\x", '\\'), (std::vector<std::size_t>{0, 3}));
    EXPECT_EQ(characterOffsets("a" + Trail5C + Trail5C + "\\", '\\'), std::vector<std::size_t>{5});
    EXPECT_EQ(characterOffsets("a/b\\c", '/'), std::vector<std::size_t>{1});
}

TEST(WithBackslash, AddsOneUnlessTheLastCharacterIsOne)
{
    EXPECT_EQ(withBackslash("C:\\x"), "C:\\x\\");
    EXPECT_EQ(withBackslash("C:\\x\\"), "C:\\x\\");
    EXPECT_EQ(withBackslash("dest" + Trail5C), "dest" + Trail5C + "\\");
    EXPECT_EQ(withBackslash("dest" + Trail5C + "\\"), "dest" + Trail5C + "\\");
    EXPECT_EQ(withBackslash(""), "\\");
}

TEST(EndsWithCharacter, CountsCharactersNotBytes)
{
    EXPECT_TRUE(endsWithCharacter("dir/", '/'));
    EXPECT_FALSE(endsWithCharacter("d" + Trail5C, '\\'));
    EXPECT_TRUE(endsWithCharacter("d" + Trail5C + "\\", '\\'));
    EXPECT_FALSE(endsWithCharacter("", '\\'));
}

} // namespace
