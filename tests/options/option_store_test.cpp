// The option store's rules: how lines, sections, keys and values are read, which entry a lookup
// finds, and how the file is written back. Cases that hold invalid UTF-8 live here; valid ones
// are shared with the editor page in tests/data/option_file_cases.json.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "option_store.h"
#include "temp_folder.h"
#include "utf8_file.h"

namespace {

class OptionStoreTest : public ::testing::Test {
protected:
    Class_Option Load(std::string_view text) {
        WriteUtf8File(file_, text);
        return Class_Option(file_);
    }
    std::string Written(const Class_Option& store) {
        store.writeOptionFile();
        return ReadUtf8File(file_);
    }
    TempFolder folder_;
    std::filesystem::path file_ = folder_ / "web.ini";
};

struct SectionCase {
    std::string header;
    std::string section;
};

class SectionNameTest : public OptionStoreTest,
                        public ::testing::WithParamInterface<SectionCase> {};

// Whole code points are dropped from the end; a byte outside any well-formed sequence counts as
// one character.
TEST_P(SectionNameTest, CutsFirstAndLastCharacter) {
    const SectionCase& c = GetParam();
    Class_Option store = Load(c.header + "\r\nk=v");
    EXPECT_EQ(store.GetOption(c.section, "k"), "v") << c.header;
    EXPECT_EQ(Written(store), c.header + "\r\nk=v");
}

INSTANTIATE_TEST_SUITE_P(
    OptionStore, SectionNameTest,
    ::testing::Values(SectionCase{"[ueditor]", "ueditor"}, SectionCase{"[ueditor] ", "ueditor]"},
                      SectionCase{"[a]b", "a]"}, SectionCase{"[]", ""}, SectionCase{"[", ""},
                      SectionCase{"[x", ""}, SectionCase{"[设置", "设"},
                      SectionCase{"[设置]", "设置"}, SectionCase{"[置", ""},
                      SectionCase{"[ab\x80", "ab"}, SectionCase{"[ab\xE4\xB8", "ab\xE4"},
                      SectionCase{"[ab\xF0\x9F\x98\x80", "ab"},
                      SectionCase{"[a\xC0\x80", "a\xC0"},        // overlong: two characters
                      SectionCase{"[\xED\xA0\x80", "\xED\xA0"},  // surrogate: not one character
                      SectionCase{"  [format]", "format"}));

TEST_F(OptionStoreTest, InvalidBytesStayInKeysAndValues) {
    Class_Option store = Load("[s\xFF]\r\nk\xC3=v\xE4\xB8\r\n\xFE");
    EXPECT_EQ(store.GetOption("s\xFF", "k\xC3"), "v\xE4\xB8");
    EXPECT_EQ(store.GetOption("s\xFF", "\xFE"), "");
    EXPECT_EQ(store.SetOption("s\xFF", "\xFE", "\x80"), "\x80");
    EXPECT_EQ(Written(store), "[s\xFF]\r\nk\xC3=v\xE4\xB8\r\n\xFE=\x80");
}

// Every split of one composite key at a "_K_" names the same entry, however long the parts
// (lookups hash the composite key in words of eight bytes, so the split points fall anywhere).
TEST_F(OptionStoreTest, EverySplitOfACompositeKeyFindsTheSameEntry) {
    const std::string composite = "ab_K_cdefghi_K_jklmnopqrstuvw_K_x_K_yz0123456789_K_";
    std::vector<std::size_t> splits;
    for (std::size_t at = composite.find("_K_"); at != std::string::npos;
         at = composite.find("_K_", at + 1)) {
        splits.push_back(at);
    }
    auto section = [&](std::size_t at) { return composite.substr(0, at); };
    auto key = [&](std::size_t at) { return composite.substr(at + 3); };
    Class_Option store = Load("[" + section(splits[0]) + "]\r\n" + key(splits[0]) + "=v");
    std::string value = "v";
    for (std::size_t at : splits) {
        EXPECT_EQ(store.GetOption(section(at), key(at)), value) << at;
        value = std::to_string(at);
        EXPECT_EQ(store.SetOption(section(at), key(at), value), value);
    }
    EXPECT_EQ(store.GetOption(section(splits[0]), key(splits[0])), value);
    EXPECT_EQ(store.GetOption(composite.substr(0, 3), composite.substr(3)), "");
}

TEST_F(OptionStoreTest, MissingFileThrows) {
    EXPECT_THROW(Class_Option(folder_ / "missing.ini"), Utf8FileError);
}

TEST_F(OptionStoreTest, ReadOptionFileReturnsTheTextUnparsed) {
    const std::string text = "\r\n  [ueditor] \r\nk = v\n\r\n";
    Class_Option store = Load(text);
    EXPECT_EQ(store.readOptionFile(), text);
}

TEST_F(OptionStoreTest, SavesRepeatedlyFromTheLinesReadAtStart) {
    Class_Option store = Load("[ueditor]\r\ninitialFrameHeight=400\r\n");
    WriteUtf8File(file_, "changed by another program");
    EXPECT_EQ(store.SetOption("ueditor", "initialFrameHeight", "500"), "500");
    EXPECT_EQ(Written(store), "[ueditor]\r\ninitialFrameHeight=500\r\n");
    EXPECT_EQ(Written(store), "[ueditor]\r\ninitialFrameHeight=500\r\n");
    EXPECT_EQ(ReadBytes(file_).substr(0, 3), "\xEF\xBB\xBF");
}

TEST_F(OptionStoreTest, FailedSaveKeepsValuesInMemory) {
    Class_Option store = Load("[a]\r\nk=1");
    store.SetOption("a", "k", "2");
    std::filesystem::permissions(file_, std::filesystem::perms::owner_read);
    EXPECT_THROW(store.writeOptionFile(), Utf8FileError);
    EXPECT_EQ(store.GetOption("a", "k"), "2");
    EXPECT_EQ(ReadUtf8File(file_), "[a]\r\nk=1");
}

TEST_F(OptionStoreTest, CopiesAreIndependent) {
    Class_Option store = Load("[a]\r\nk=1");
    Class_Option copy = store;
    copy.SetOption("a", "k", "2");
    EXPECT_EQ(store.GetOption("a", "k"), "1");
    EXPECT_EQ(copy.GetOption("a", "k"), "2");
}

}  // namespace
