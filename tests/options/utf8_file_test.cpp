// Whole-file UTF-8 reading and writing: byte-exact text, the byte-order mark, failures that name
// the file, and replacement that keeps the target's permissions and links.
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "option_file_test.h"
#include "test_data.h"
#include "utf8_file.h"

namespace {

using Utf8File = FileTest;

// Each text replaces the one before whole, so a short one after a long one is checked too.
TEST_F(Utf8File, WrittenTextReadsBackIdentical) {
    std::vector<std::string> texts = TestData("utf8_byte_cases.json").at("written");
    texts.insert(texts.begin(), std::string(10000, 'x'));
    for (const std::string& text : texts) {
        WriteUtf8File(file, text);
        EXPECT_EQ(ReadBytes(file), "\xEF\xBB\xBF" + text);
        EXPECT_EQ(ReadUtf8File(file), text);
    }
    EXPECT_EQ(CountOtherFiles(folder), 0);
}

// Exactly one leading mark is dropped; a partial one is text. And StripLineBreaks, by table.
TEST_F(Utf8File, ReadDropsExactlyOneLeadingMarkAndStripLineBreaksRemovesEveryCrAndLfOnly) {
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    const auto cases = TestData("utf8_byte_cases.json");
    for (const auto& [bytes, text] : cases.at("leadingMark").get<Pairs>()) {
        WriteBytes(file, bytes);
        EXPECT_EQ(ReadUtf8File(file), text);
    }
    for (const auto& [text, expected] : cases.at("lineBreaks").get<Pairs>())
        EXPECT_EQ(StripLineBreaks(text), expected) << text;
}

// (A missing file or folder: Utf8Paths; a folder read as a file: OddFiles.)
TEST_F(Utf8File, AFolderInTheTargetsPlaceStaysAsItIs) {
    fs::create_directory(file);
    EXPECT_THROW(WriteUtf8File(file, "x"), Utf8FileError);
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(CountOtherFiles(folder), 0);
}

// A save keeps the permission bits; a file without any write bit is read-only, even for root.
// (Windows: the read-only attribute, in windows_file_test.cpp.)
#ifndef _WIN32
TEST_F(Utf8File, PermissionBitsStayAndNoWriteBitMeansReadOnly) {
    for (mode_t mode : {0640, 0604, 0200, 0755, 0444, 0400, 0000}) {
        WriteBytes(file, "old");
        ::chmod(file.c_str(), mode);
        SCOPED_TRACE(mode);
        ExpectSaveOverOld(file,
                          mode & 0222 ? std::nullopt : std::optional(std::errc::permission_denied));
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
    }
}

// Symbolic links need a privilege on Windows that tests do not have.
TEST_F(Utf8File, ReplacesTheFileALinkPointsToAndKeepsTheLink) {
    fs::create_directory(folder / "real");
    WriteBytes(folder / "real" / "web.ini", "old");
    fs::create_symlink("real/web.ini", file);
    const fs::path chain = folder / "chain.ini";
    fs::create_symlink(file, chain);
    WriteUtf8File(chain, "new");
    EXPECT_TRUE(fs::is_symlink(file) && fs::is_symlink(chain));
    EXPECT_EQ(ReadUtf8File(folder / "real" / "web.ini"), "new");
    EXPECT_EQ(CountOtherFiles(folder / "real"), 0);

    // A link to a file that does not exist yet: the file is created where the link points.
    const fs::path dangling = folder / "dangling.ini";
    fs::create_symlink("real/created.ini", dangling);
    WriteUtf8File(dangling, "made");
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(ReadUtf8File(folder / "real" / "created.ini"), "made");
}
#endif

}  // namespace
