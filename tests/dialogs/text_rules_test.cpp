#include <gtest/gtest.h>

#include <utility>

#include "option_format.h"
#include "text_rules.h"

// Edge cases of the pure text rules that the dialog tests do not reach.
TEST(TextRules, ItemWordIsThePieceAfterTheFirstSeparator) {
    EXPECT_EQ(ItemWord("a - b - c"), "b");
    EXPECT_EQ(ItemWord("no separator"), "");
}

TEST(TextRules, StoredListsConvertBothWaysLeftToRight) {
    const std::pair<const char*, const char*> cases[] = {
        {"|-|-|", "\r\n-|"}, {"a\rb\nc", "a\rb\nc"}, {"\r|-|\n", "\r\r\n\n"}, {"", ""}};
    for (const auto& [stored, box] : cases) {
        EXPECT_EQ(StoredListToBox(stored), box);
        EXPECT_EQ(BoxToStoredList(box), stored);
    }
}

// Rule files break their lines as web.ini does: CR LF once a pair occurs, else LF if any.
TEST(TextRules, RuleFilesBreakLinesAsWebIniDoes) {
    const std::pair<const char*, const char*> cases[] = {
        {"a\nb\r\nc", "\r\n"}, {"a\nb", "\n"}, {"a\rb", "\r\n"}, {"no break", "\r\n"}};
    for (const auto& [text, lineBreak] : cases) {
        EXPECT_EQ(corvel::options::LineBreakOf(text), lineBreak) << text;
    }
    EXPECT_EQ(WithLineEnding("a\nb\n", "\r\n"), "a\r\nb\r\n");
}

TEST(TextRules, Utf8CheckRejectsWhatIsNotUtf8) {
    EXPECT_TRUE(IsValidUtf8("简繁 abc \xF0\x9F\x98\x80"));
    EXPECT_TRUE(IsValidUtf8(""));
    for (const char* bad : {"\xBC\xF2\xB7\xB1" /* GBK */, "\xC0\xAF" /* overlong */, "\xE0\x80\xAF",
                            "\xED\xA0\x80" /* surrogate */, "\xE7\xAE" /* cut short */}) {
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
    }
}
