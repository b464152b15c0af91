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
        void (*change)(const fs::path&);
        bool seen;
    };
    const Case cases[] = {
        {"nothing", [](const fs::path&) {}, false},
        {"same size, later time",
         [](const fs::path& f) {
             WriteUtf8File(f, "[a]\r\nk=2");
             fs::last_write_time(f, fs::last_write_time(f) + std::chrono::seconds(5));
         },
         true},
        {"other size", [](const fs::path& f) { WriteUtf8File(f, "[a]\r\nk=22"); }, true},
        {"removed", [](const fs::path& f) { fs::remove(f); }, true},
        {"only touched",
         [](const fs::path& f) {
             fs::last_write_time(f, fs::last_write_time(f) - std::chrono::seconds(5));
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteUtf8File(file, "[a]\r\nk=1");
        Class_Option store(file);
        store.SetOption("a", "k", "3");
        store.writeOptionFile();  // the store's own save is no outside change
        EXPECT_FALSE(store.changedOnDisk());
        c.change(file);
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

    // A reload that cannot read keeps what the store had.
    store.SetOption("a", "j", "kept");
    fs::remove(file);
    EXPECT_THROW(store.reload(), Utf8FileError);
    EXPECT_EQ(store.GetOption("a", "j"), "kept");
}

}  // namespace
