// The option store's rules that the case tables cannot hold: long composite keys, and how the
// store stands to its file. Cases of file text are in tests/data (option_cases_test.cpp).
#include <gtest/gtest.h>

#include "option_file_test.h"
#include "option_store.h"
#include "utf8_file.h"

namespace {

using OptionStore = FileTest;

// Every split of one composite key at a "_K_" names the same entry, however long the parts
// (lookups hash the composite key in words of eight bytes, so the split points fall anywhere).
TEST_F(OptionStore, EverySplitOfACompositeKeyFindsTheSameEntry) {
    const std::string composite = "ab_K_cdefghi_K_jklmnopqrstuvw_K_x_K_yz0123456789_K_";
    auto section = [&](std::size_t at) { return composite.substr(0, at); };
    auto key = [&](std::size_t at) { return composite.substr(at + 3); };
    const std::size_t first = composite.find("_K_");
    WriteUtf8File(file, "[" + section(first) + "]\r\n" + key(first) + "=v");
    Class_Option store(file);
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
    WriteUtf8File(file, text);
    Class_Option store(file);
    EXPECT_EQ(store.readOptionFile(), text);
    WriteUtf8File(file, "changed by another program");
    Class_Option copy = store;
    EXPECT_EQ(copy.SetOption("ueditor", "initialFrameHeight", "1"), "1");
    EXPECT_EQ(store.SetOption("ueditor", "initialFrameHeight", "500"), "500");
    EXPECT_EQ(copy.GetOption("ueditor", "initialFrameHeight"), "1");
    for (int save = 0; save < 2; ++save) {
        store.writeOptionFile();
        EXPECT_EQ(ReadBytes(file), "\xEF\xBB\xBF[ueditor]\r\ninitialFrameHeight=500\r\n") << save;
    }
}

}  // namespace
