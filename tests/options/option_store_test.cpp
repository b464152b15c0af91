// The option store's rules that the shared case table cannot hold: invalid UTF-8 in names and
// values, long composite keys, and how the store stands to its file. Cases in valid UTF-8 are
// shared with the editor page in tests/data/option_file_cases.json.
#include <gtest/gtest.h>

#include "option_file_test.h"
#include "option_store.h"
#include "utf8_file.h"

namespace {

struct OptionStore : FileTest {
    Class_Option Load(std::string_view text) {
        WriteUtf8File(file, text);
        return Class_Option(file);
    }
    std::string Written(const Class_Option& store) {
        store.writeOptionFile();
        return ReadUtf8File(file);
    }
};

// Whole code points are dropped from the end; a byte outside any well-formed sequence counts as
// one character.
TEST_F(OptionStore, SectionNameCutsFirstAndLastCharacter) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"[ueditor]", "ueditor"}, {"[ueditor] ", "ueditor]"}, {"[a]b", "a]"}, {"[]", ""}, {"[", ""},
        {"[x", ""}, {"[设置", "设"}, {"[设置]", "设置"}, {"[置", ""}, {"  [format]", "format"},
        {"[ab\x80", "ab"}, {"[ab\xE4\xB8", "ab\xE4"}, {"[ab\xF0\x9F\x98\x80", "ab"},
        {"[a\xC0\x80", "a\xC0"},        // overlong: two characters
        {"[\xED\xA0\x80", "\xED\xA0"}};  // surrogate: not one character
    // clang-format on
    for (const auto& [header, section] : cases) {
        Class_Option store = Load(header + "\r\nk=v");
        EXPECT_EQ(store.GetOption(section, "k"), "v") << header;
        EXPECT_EQ(Written(store), header + "\r\nk=v");
    }
}

TEST_F(OptionStore, InvalidBytesStayInKeysAndValues) {
    Class_Option store = Load("[s\xFF]\r\nk\xC3=v\xE4\xB8\r\n\xFE");
    EXPECT_EQ(store.GetOption("s\xFF", "k\xC3"), "v\xE4\xB8");
    EXPECT_EQ(store.GetOption("s\xFF", "\xFE"), "");
    EXPECT_EQ(store.SetOption("s\xFF", "\xFE", "\x80"), "\x80");
    EXPECT_EQ(Written(store), "[s\xFF]\r\nk\xC3=v\xE4\xB8\r\n\xFE=\x80");
}

// Every split of one composite key at a "_K_" names the same entry, however long the parts
// (lookups hash the composite key in words of eight bytes, so the split points fall anywhere).
TEST_F(OptionStore, EverySplitOfACompositeKeyFindsTheSameEntry) {
    const std::string composite = "ab_K_cdefghi_K_jklmnopqrstuvw_K_x_K_yz0123456789_K_";
    auto section = [&](std::size_t at) { return composite.substr(0, at); };
    auto key = [&](std::size_t at) { return composite.substr(at + 3); };
    const std::size_t first = composite.find("_K_");
    Class_Option store = Load("[" + section(first) + "]\r\n" + key(first) + "=v");
    std::string value = "v";
    for (auto at = first; at != std::string::npos; at = composite.find("_K_", at + 1)) {
        EXPECT_EQ(store.GetOption(section(at), key(at)), value) << at;
        value = std::to_string(at);
        EXPECT_EQ(store.SetOption(section(at), key(at), value), value);
    }
    EXPECT_EQ(store.GetOption(section(first), key(first)), value);
    EXPECT_EQ(store.GetOption(composite.substr(0, 3), composite.substr(3)), "");
}

// The store works from the text it read at start: neither another writer, nor a copy of the
// store, nor an earlier save changes what it writes.
TEST_F(OptionStore, SavesFromTheTextReadAtStart) {
    const std::string text = "[ueditor]\r\ninitialFrameHeight=400\n\r\n";
    Class_Option store = Load(text);
    EXPECT_EQ(store.readOptionFile(), text);
    WriteUtf8File(file, "changed by another program");
    Class_Option copy = store;
    EXPECT_EQ(copy.SetOption("ueditor", "initialFrameHeight", "1"), "1");
    EXPECT_EQ(store.SetOption("ueditor", "initialFrameHeight", "500"), "500");
    EXPECT_EQ(copy.GetOption("ueditor", "initialFrameHeight"), "1");
    EXPECT_EQ(Written(store), "[ueditor]\r\ninitialFrameHeight=500\r\n");
    EXPECT_EQ(Written(store), "[ueditor]\r\ninitialFrameHeight=500\r\n");
    EXPECT_EQ(ReadBytes(file).substr(0, 3), "\xEF\xBB\xBF");
}

TEST_F(OptionStore, FileFailuresThrowAndKeepValuesInMemory) {
    EXPECT_THROW(Class_Option(folder / "missing.ini"), Utf8FileError);
    Class_Option store = Load("[a]\r\nk=1");
    store.SetOption("a", "k", "2");
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_THROW(store.writeOptionFile(), Utf8FileError);
    EXPECT_EQ(store.GetOption("a", "k"), "2");
    EXPECT_EQ(ReadUtf8File(file), "[a]\r\nk=1");
}

}  // namespace
