// File names given to the store as UTF-8 strings, as the program hands them over: Chinese
// folders, characters outside the BMP and names past the classic 260-character limit load, save
// and read back, and failures name the file in UTF-8. The names are checked against UTF-16
// literals, which reach the file system by a route of their own.
#include <gtest/gtest.h>

#include "folder_path.h"
#include "option_file_test.h"
#include "option_store.h"
#include "utf8_file.h"
#include "utf8_path.h"

namespace {

using corvel::options::PathFromUtf8;
using corvel::options::Utf8FromPath;

// A folder below the test's folder and a file in it, in UTF-8 and the same names in UTF-16.
struct Names {
    std::string folder, file;
    std::u16string folder16, file16;
};

// Four folders of 80 Chinese characters: past 260 characters, each name within 255 bytes.
template <typename Text>
Text Deep(const Text& character, typename Text::value_type separator) {
    Text name, path;
    for (int i = 0; i < 80; ++i) name += character;
    for (int i = 0; i < 4; ++i) path += (i ? Text(1, separator) : Text()) + name;
    return path;
}

std::vector<Names> Cases() {
    const auto sep = fs::path::preferred_separator;
    const std::string deep = Deep(std::string("长"), static_cast<char>(sep));
    const std::u16string deep16 = Deep(std::u16string(u"长"), static_cast<char16_t>(sep));
    return {
        {"corvel-测试", "web.ini", u"corvel-测试", u"web.ini"},
        {"张三的设置", "网页设置.ini", u"张三的设置", u"网页设置.ini"},
        {"𠮷野家-😀", "web-𝄞.ini", u"𠮷野家-😀", u"web-𝄞.ini"},
        {deep, "web.ini", deep16, u"web.ini"},
    };
}

using Utf8Paths = FileTest;

TEST_F(Utf8Paths, StoreInAFolderNamedInUtf8LoadsSetsSavesAndReadsBack) {
    for (const Names& names : Cases()) {
        SCOPED_TRACE(names.file);
        const fs::path where = LongForm(folder / fs::path(names.folder16));
        const fs::path file16 = where / fs::path(names.file16);
        ASSERT_TRUE(fs::create_directories(where));
        // Left by a save of a process that has ended (no system gives out this id).
        const fs::path stale = where / fs::path(u"." + names.file16 + u".tmp-4194305-0");
        WriteBytes(stale, "stale");
        // The names as the program builds them: plain strings of UTF-8.
        const std::string home = PathInFolder(Utf8FromPath(folder), names.folder);
        const std::string path = PathInFolder(home, names.file);
        EXPECT_EQ(PathFromUtf8(path), folder / fs::path(names.folder16) / fs::path(names.file16));

        WriteUtf8File(path, "[ueditor]\r\ninitialFrameHeight=400\r\n");
        Class_Option store(path);
        EXPECT_EQ(store.GetOption("ueditor", "initialFrameHeight"), "400");
        EXPECT_EQ(store.SetOption("ueditor", "initialFrameHeight", "520"), "520");
        store.writeOptionFile();

        EXPECT_EQ(Class_Option(path).GetOption("ueditor", "initialFrameHeight"), "520");
        EXPECT_EQ(ReadBytes(file16), "\xEF\xBB\xBF[ueditor]\r\ninitialFrameHeight=520\r\n");
        EXPECT_EQ(CountOtherFiles(where, fs::path(names.file16)), 0);

        const std::string missing = PathInFolder(home, "缺少的-😀.ini");
        EXPECT_THAT([&] { Class_Option{missing}; },
                    FailsNaming(PathFromUtf8(missing), std::errc::no_such_file_or_directory));
        EXPECT_THAT([&] { WriteUtf8File(PathInFolder(missing, "x.ini"), "x"); },
                    FailsNaming(PathFromUtf8(PathInFolder(missing, "x.ini")),
                                std::errc::no_such_file_or_directory));
    }
}

}  // namespace
