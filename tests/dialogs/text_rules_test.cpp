// The pure text rules, from the "textRules" table of tests/data/dialog_cases.json.
#include "text_rules.h"
#include "dialog_fixture.h"
#include "option_format.h"

TEST(TextRules, MatchTheirTable) {
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    const Json& table = kTables.at("textRules");
    for (const auto& [item, word] : table.at("itemWords").get<Pairs>()) {
        EXPECT_EQ(ItemWord(item), word) << item;
    }
    for (const auto& [stored, box] : table.at("storedLists").get<Pairs>()) {
        EXPECT_EQ(StoredListToBox(stored), box);
        EXPECT_EQ(BoxToStoredList(box), stored);
    }
    for (const auto& [text, lineBreak] : table.at("lineBreaks").get<Pairs>()) {
        EXPECT_EQ(corvel::options::LineBreakOf(text), lineBreak) << text;
    }
    EXPECT_EQ(WithLineEnding("a\nb\n", "\r\n"), "a\r\nb\r\n");
    for (const Json& text : table.at("utf8")) EXPECT_TRUE(IsValidUtf8(Bytes(text))) << text;
    for (const Json& text : table.at("notUtf8")) EXPECT_FALSE(IsValidUtf8(Bytes(text))) << text;
}
