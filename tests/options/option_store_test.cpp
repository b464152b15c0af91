// The option store and its file: changes made on disk by another program are noticed before a
// save would undo them, saves work from the text read at start, and long composite keys are
// found. Cases of file text are in tests/data (option_cases_test.cpp).
#include <gtest/gtest.h>

#include <chrono>

#include "option_file_test.h"
#include "option_store.h"
#include "utf8_file.h"

namespace {

using OptionStore = FileTest;

// Every outside change that a save would undo is seen, and none of the store's own saves.
TEST_F(OptionStore, OutsideChangesAreSeenBeforeASave) {
    // Nothing; the same size at a later time; another size; removed; only touched. Each as the
    // text written (when not null), the shift of the modification time, removal, and whether seen.
    const std::tuple<const char*, int, bool, bool> cases[] = {{nullptr, 0, false, false},
                                                              {"[a]\r\nk=2", 5, false, true},
                                                              {"[a]\r\nk=22", 0, false, true},
                                                              {nullptr, 0, true, true},
                                                              {nullptr, -5, false, true}};
    for (const auto& [text, shiftSeconds, remove, seen] : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::tie(text, shiftSeconds, remove)));
        WriteUtf8File(file, "[a]\r\nk=1");
        Class_Option store(file);
        store.SetOption("a", "k", "3");
        store.writeOptionFile();  // the store's own save is no outside change
        EXPECT_FALSE(store.changedOnDisk());
        if (text) WriteUtf8File(file, text);
        if (shiftSeconds)
            fs::last_write_time(file,
                                fs::last_write_time(file) + std::chrono::seconds(shiftSeconds));
        if (remove) fs::remove(file);
        EXPECT_EQ(store.changedOnDisk(), seen);
    }
}

TEST_F(OptionStore, ReloadTakesTheOutsideChangeAndDropsValuesSetBefore) {
    WriteUtf8File(file, "[a]\r\nk=1\r\nj=1");
    Class_Option store(file);
    store.SetOption("a", "k", "from the dialog");
    WriteUtf8File(file, "[a]\r\nk=outside\r\nj=outside");
    fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(5));
    ASSERT_TRUE(store.changedOnDisk());
    store.reload();
    EXPECT_FALSE(store.changedOnDisk());
    EXPECT_EQ(store.GetOption("a", "k"), "outside");
    EXPECT_EQ(store.GetOption("a", "j"), "outside");

    // A reload or a save that fails keeps what the store had: a folder is neither read nor
    // replaced.
    store.SetOption("a", "j", "kept");
    fs::remove(file);
    fs::create_directory(file);
    EXPECT_THROW(store.reload(), Utf8FileError);
    EXPECT_THROW(store.writeOptionFile(), Utf8FileError);
    EXPECT_EQ(store.GetOption("a", "j"), "kept");
    EXPECT_THROW(Class_Option{file}, Utf8FileError);
}

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
