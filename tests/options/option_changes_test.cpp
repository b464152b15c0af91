// How the store stands to its file over time: LF files kept LF, and changes made on disk by
// another program noticed before a save would undo them.
#include <gtest/gtest.h>

#include <chrono>

#include "line_breaks.h"
#include "option_file_test.h"
#include "option_store.h"
#include "utf8_file.h"

namespace {

using OptionChanges = FileTest;

std::string ShippedFile() { return ReadBytes(CORVEL_DATA_DIR "/web.ini"); }

// The shipped file, and the same file as git or a Unix editor leaves it, save back byte for
// byte; a changed value changes its own line only, with the file's own line break.
TEST_F(OptionChanges, ShippedFileWithEitherLineBreakRoundTrips) {
    for (const std::string& bytes : {ShippedFile(), WithLf(ShippedFile())}) {
        const bool lf = bytes.find("\r\n") == std::string::npos;
        SCOPED_TRACE(lf ? "LF" : "CR LF");
        WriteBytes(file, bytes);
        Class_Option store(file);
        EXPECT_EQ(store.GetOption("ueditor", "toolbars"), "Standard");
        EXPECT_EQ(store.GetOption("format", "conversionFile"), "conversion.txt");
        store.writeOptionFile();
        EXPECT_EQ(ReadBytes(file), bytes);

        store.SetOption("ueditor", "wordCount", "false");
        store.writeOptionFile();
        std::string expected = bytes;
        const std::string from = lf ? "wordCount=true\n" : "wordCount=true\r\n";
        expected.replace(expected.find(from), from.size(),
                         lf ? "wordCount=false\n" : "wordCount=false\r\n");
        EXPECT_EQ(ReadBytes(file), expected);
        EXPECT_EQ(CountOtherFiles(folder), 0);
    }
}

// Every outside change that a save would undo is seen, and none of the store's own saves.
TEST_F(OptionChanges, OutsideChangesAreSeenBeforeASave) {
    struct Case {
        const char* name;
        const char* text;  // written when not null
        int shiftSeconds;  // of the modification time
        bool remove, seen;
    };
    const Case cases[] = {{"nothing", nullptr, 0, false, false},
                          {"same size, later time", "[a]\r\nk=2", 5, false, true},
                          {"other size", "[a]\r\nk=22", 0, false, true},
                          {"removed", nullptr, 0, true, true},
                          {"only touched", nullptr, -5, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteUtf8File(file, "[a]\r\nk=1");
        Class_Option store(file);
        store.SetOption("a", "k", "3");
        store.writeOptionFile();  // the store's own save is no outside change
        EXPECT_FALSE(store.changedOnDisk());
        if (c.text) WriteUtf8File(file, c.text);
        if (c.shiftSeconds)
            fs::last_write_time(file,
                                fs::last_write_time(file) + std::chrono::seconds(c.shiftSeconds));
        if (c.remove) fs::remove(file);
        EXPECT_EQ(store.changedOnDisk(), c.seen);
    }
}

TEST_F(OptionChanges, ReloadTakesTheOutsideChangeAndDropsValuesSetBefore) {
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

    // A save or a reload that fails keeps what the store had, and the file its bytes.
    store.SetOption("a", "j", "kept");
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_THROW(store.writeOptionFile(), Utf8FileError);
    EXPECT_EQ(ReadUtf8File(file), "[a]\r\nk=outside\r\nj=outside");
    fs::remove(file);
    EXPECT_THROW(store.reload(), Utf8FileError);
    EXPECT_EQ(store.GetOption("a", "j"), "kept");
    EXPECT_THROW(Class_Option{file}, Utf8FileError);
}

}  // namespace
