#include "text_rules.h"

#include <gtest/gtest.h>

// Edge cases of the pure text rules that the dialog tests do not reach.
TEST(ItemWord, TakesOnlyThePieceAfterTheFirstSeparator) {
    EXPECT_EQ(ItemWord("a - b - c"), "b");
    EXPECT_EQ(ItemWord("no separator"), "");
}

struct ListCase {
    const char* stored;
    const char* box;
};
class StoredList : public ::testing::TestWithParam<ListCase> {};

TEST_P(StoredList, ConvertsBothWaysLeftToRight) {
    EXPECT_EQ(StoredListToBox(GetParam().stored), GetParam().box);
    EXPECT_EQ(BoxToStoredList(GetParam().box), GetParam().stored);
}
INSTANTIATE_TEST_SUITE_P(Lists, StoredList,
                         ::testing::Values(ListCase{"A|-|B", "A\r\nB"},
                                           ListCase{"A|-||-|B|-|", "A\r\n\r\nB\r\n"},
                                           ListCase{"|-|-|", "\r\n-|"},
                                           ListCase{"a\rb\nc", "a\rb\nc"},
                                           ListCase{"\r|-|\n", "\r\r\n\n"}, ListCase{"", ""}));

TEST(LineEnding, IsTheFirstBreakOrCrLf) {
    EXPECT_EQ(LineEndingOf("a\nb\r\nc"), "\n");
    EXPECT_EQ(LineEndingOf("a\r\nb\nc"), "\r\n");
    EXPECT_EQ(LineEndingOf("a\rb"), "\r");
    EXPECT_EQ(LineEndingOf("no break"), "\r\n");
    EXPECT_EQ(WithLineEnding("a\nb\n", "\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(WithLineEnding("a\nb", "\n"), "a\nb");
}

TEST(Utf8Check, RejectsWhatIsNotUtf8) {
    EXPECT_TRUE(IsValidUtf8("简繁 abc \xF0\x9F\x98\x80"));
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_FALSE(IsValidUtf8("\xBC\xF2\xB7\xB1"));  // GBK for 简繁
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE7\xAE"));          // cut short
}
