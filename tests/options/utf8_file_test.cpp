// Whole-file UTF-8 reading and writing: byte-exact text, the byte-order mark, failures that name
// the file, and replacement that keeps the target's permissions and links.
#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "temp_folder.h"
#include "utf8_file.h"

using ::testing::HasSubstr;

namespace {

constexpr std::string_view kMark = "\xEF\xBB\xBF";

TEST(Utf8FileRoundTrip, WrittenTextReadsBackIdentical) {
    TempFolder folder;
    const auto file = folder / "a.txt";
    const std::vector<std::string> texts = {
        "中文\r\n第二行\nlone LF\rlone CR, no final break",
        "",
        "\xEF\xBB\xBF starts with a mark of its own",
        "malformed \xE4\xB8 and \xFF\xC0\x80 bytes",
        std::string("embedded\0zero", 13),
    };
    for (const std::string& text : texts) {
        WriteUtf8File(file, text);
        EXPECT_EQ(ReadBytes(file), std::string(kMark) + text);
        EXPECT_EQ(ReadUtf8File(file), text);
    }
}

TEST(Utf8FileRoundTrip, ShortTextReplacesLongerFileWhole) {
    TempFolder folder;
    const auto file = folder / "a.txt";
    WriteUtf8File(file, std::string(10000, 'x'));
    WriteUtf8File(file, "短");
    EXPECT_EQ(ReadUtf8File(file), "短");
    EXPECT_EQ(CountOtherFiles(folder.path(), "a.txt"), 0);
}

TEST(Utf8FileRead, DropsExactlyOneLeadingMark) {
    TempFolder folder;
    const auto file = folder / "a.txt";
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBF[ueditor]", "[ueditor]"},
        {"[ueditor]", "[ueditor]"},
        {"\xEF\xBB\xBF\xEF\xBB\xBFx", "\xEF\xBB\xBFx"},
        {"\xEF\xBBx", "\xEF\xBBx"},  // a partial mark is text
        {"x\xEF\xBB\xBF", "x\xEF\xBB\xBF"},
        {"", ""},
        {"\xEF\xBB\xBF", ""},
    };
    for (const auto& [bytes, text] : cases) {
        WriteBytes(file, bytes);
        EXPECT_EQ(ReadUtf8File(file), text);
    }
}

TEST(Utf8FileErrors, MissingFileNamesPathAndReason) {
    TempFolder folder;
    const auto file = folder / "missing.ini";
    try {
        ReadUtf8File(file);
        FAIL() << "no error";
    } catch (const Utf8FileError& error) {
        EXPECT_THAT(error.what(), HasSubstr(file.string()));
        EXPECT_THAT(error.what(), HasSubstr("No such file or directory"));
    }
    EXPECT_THROW(ReadUtf8File(folder.path()), Utf8FileError);  // a folder is no file
}

TEST(Utf8FileErrors, MissingFolderFailsAndCreatesNothing) {
    TempFolder folder;
    const auto file = folder / "no-such-folder" / "web.ini";
    try {
        WriteUtf8File(file, "x");
        FAIL() << "no error";
    } catch (const Utf8FileError& error) {
        EXPECT_THAT(error.what(), HasSubstr(file.string()));
        EXPECT_THAT(error.what(), HasSubstr("No such file or directory"));
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(Utf8FileErrors, FileWithoutWriteBitsIsReadOnlyEvenForRoot) {
    TempFolder folder;
    const auto file = folder / "web.ini";
    WriteBytes(file, "old");
    for (mode_t mode : {0444, 0400, 0000}) {
        ::chmod(file.c_str(), mode);
        try {
            WriteUtf8File(file, "new");
            FAIL() << "no error for mode " << mode;
        } catch (const Utf8FileError& error) {
            EXPECT_THAT(error.what(), HasSubstr(file.string()));
            EXPECT_THAT(error.what(), HasSubstr("read-only"));
        }
        ::chmod(file.c_str(), 0600);
        EXPECT_EQ(ReadBytes(file), "old");
        EXPECT_EQ(CountOtherFiles(folder.path(), "web.ini"), 0);
    }
}

TEST(Utf8FileErrors, FolderAsTargetFailsAndStays) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "sub");
    EXPECT_THROW(WriteUtf8File(folder / "sub", "x"), Utf8FileError);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "sub"));
    EXPECT_EQ(CountOtherFiles(folder.path(), "sub"), 0);
}

TEST(Utf8FileReplace, KeepsPermissionBits) {
    TempFolder folder;
    const auto file = folder / "web.ini";
    WriteBytes(file, "old");
    for (mode_t mode : {0640, 0604, 0200, 0755}) {
        ::chmod(file.c_str(), mode);
        WriteUtf8File(file, "new");
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
        EXPECT_EQ(ReadUtf8File(file), "new");
    }
}

TEST(Utf8FileReplace, ReplacesTheFileALinkPointsToAndKeepsTheLink) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "real");
    const auto real = folder / "real" / "web.ini";
    WriteBytes(real, "old");
    const auto link = folder / "web.ini";
    std::filesystem::create_symlink("real/web.ini", link);
    const auto chain = folder / "chain.ini";
    std::filesystem::create_symlink(link, chain);

    WriteUtf8File(chain, "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(std::filesystem::is_symlink(chain));
    EXPECT_EQ(ReadUtf8File(real), "new");
    EXPECT_EQ(CountOtherFiles(folder / "real", "web.ini"), 0);

    // A link to a file that does not exist yet: the file is created where the link points.
    const auto dangling = folder / "dangling.ini";
    std::filesystem::create_symlink("real/created.ini", dangling);
    WriteUtf8File(dangling, "made");
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_EQ(ReadUtf8File(folder / "real" / "created.ini"), "made");
}

TEST(StripLineBreaks, RemovesEveryCrAndLfOnly) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"a\r\nb", "ab"},
        {"a\rb\nc", "abc"},
        {"no breaks\t at all ", "no breaks\t at all "},
        {"", ""},
        {"\r\n\r\n", ""},
        {"\n\r中\r\n文\n", "中文"},
        {"a\xE4\r\xB8", "a\xE4\xB8"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(StripLineBreaks(text), expected) << text;
    }
}

}  // namespace
