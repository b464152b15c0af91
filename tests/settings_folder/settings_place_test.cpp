#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string>

#include "settings_place.h"
#include "settings_seeding.h"
#include "temp_folder.h"

namespace {

using corvel::settings::FindSettingsPlace;
using corvel::settings::Layout;
using corvel::settings::SettingsPlace;

const std::string kShippedIni =
    "\xEF\xBB\xBF;defaults\r\n[ueditor]\r\ntoolbars=Standard\r\nwordCount=true\r\n";

// Every regular file below `folder`, by relative path, with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = ReadBytes(entry.path());
    }
    return files;
}

// A program folder as the package installs it, and a configuration folder for the user.
struct InstalledFolders : FileTest {
    InstalledFolders() {
        fs::create_directories(program / "editor");
        WriteBytes(program / "web.ini", kShippedIni);
        WriteBytes(program / "conversion.txt", "\xE5\x8F\x91|||\xE7\x99\xBC\r\n");
        WriteBytes(program / "redundant.txt", ";rules\r\n");
        WriteBytes(program / "adlaw.txt", "\xE6\x9C\x80\r\n");  // read by the page alone
        WriteBytes(program / "index.html", "<html>");
        WriteBytes(program / "editor" / "notes.txt", "page file");
        WriteBytes(program / corvel::settings::kInstalledMarker, "");
    }
    SettingsPlace start() const {
        return FindSettingsPlace(program, config.string(), "/nonexistent");
    }

    const fs::path program = folder / "usr/lib/corvel-editor";
    const fs::path config = folder / "config";
    const fs::path user = config / "corvel-editor";
};

TEST(UserSettingsFolder, FollowsXdgThenHome) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* expected;
    };
    for (const Case& c : {Case{"/x/cfg", "/home/u", "/x/cfg/corvel-editor"},
                          Case{"", "/home/u", "/home/u/.config/corvel-editor"},
                          Case{"relative/cfg", "/home/u", "/home/u/.config/corvel-editor"},
                          Case{"", "", ""}, Case{"", "relative", ""}}) {
        EXPECT_EQ(corvel::settings::UserSettingsFolder(c.xdg, c.home), fs::path(c.expected))
            << c.xdg << " | " << c.home;
    }
}

TEST_F(FileTest, LayoutFollowsTheMarkerEvenWhereTheFolderIsWritable) {
    EXPECT_EQ(corvel::settings::ChooseLayout(folder), Layout::Portable);
    WriteBytes(folder / corvel::settings::kInstalledMarker, "");
    EXPECT_EQ(corvel::settings::ChooseLayout(folder), Layout::Installed);
}

TEST_F(FileTest, FolderTheUserCannotWriteIsInstalled) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder; the marker decides";
    ::chmod(folder.c_str(), 0555);
    EXPECT_EQ(corvel::settings::ChooseLayout(folder), Layout::Installed);
    ::chmod(folder.c_str(), 0755);
}

TEST_F(FileTest, PortableFolderIsUsedAsItIs) {
    WriteBytes(folder / "web.ini", kShippedIni);
    const SettingsPlace place = FindSettingsPlace(folder, (folder / "cfg").string(), "");
    EXPECT_EQ(place.layout, Layout::Portable);
    EXPECT_EQ(place.folder, folder);
    EXPECT_FALSE(place.readOnly);
    EXPECT_FALSE(fs::exists(folder / "cfg"));
}

TEST_F(InstalledFolders, FirstStartSeedsEverySettingsFileByteForByte) {
    const auto shipped = Snapshot(program);
    const SettingsPlace place = start();
    EXPECT_EQ(place.layout, Layout::Installed);
    EXPECT_EQ(place.folder, user);
    EXPECT_FALSE(place.readOnly);
    const std::map<std::string, std::string> expected{
        {"adlaw.txt", shipped.at("adlaw.txt")},
        {"conversion.txt", shipped.at("conversion.txt")},
        {"redundant.txt", shipped.at("redundant.txt")},
        {"web.ini", shipped.at("web.ini")}};
    EXPECT_EQ(Snapshot(user), expected);
    EXPECT_EQ(Snapshot(program), shipped);
}

TEST_F(InstalledFolders, LaterStartsKeepTheUsersFilesAndAddOnlyNewOnes) {
    start();
    const std::string usersIni =
        "\xEF\xBB\xBF;mine\r\n[ueditor]\r\ntoolbars=All\r\nwordCount=false\r\n";
    WriteBytes(user / "web.ini", usersIni);
    WriteBytes(user / "redundant.txt", "my rules");
    fs::remove(user / "adlaw.txt");

    start();
    EXPECT_EQ(ReadBytes(user / "web.ini"), usersIni);
    EXPECT_EQ(ReadBytes(user / "redundant.txt"), "my rules");
    EXPECT_EQ(ReadBytes(user / "adlaw.txt"), ReadBytes(program / "adlaw.txt"));
}

TEST_F(InstalledFolders, UpgradeAddsTheNewShippedKeyAndNothingElse) {
    start();
    const std::string usersIni = "\xEF\xBB\xBF[ueditor]\r\ntoolbars=All\r\nwordCount=false\r\n";
    WriteBytes(user / "web.ini", usersIni);
    WriteBytes(program / "web.ini",
               kShippedIni + "elementPathEnabled=false\r\n[system]\r\nalwaysTop=false\r\n");

    start();
    EXPECT_EQ(ReadBytes(user / "web.ini"),
              "\xEF\xBB\xBF[ueditor]\r\ntoolbars=All\r\nwordCount=false\r\n"
              "elementPathEnabled=false\r\n\r\n[system]\r\nalwaysTop=false\r\n");
}

TEST_F(InstalledFolders, UnusableSettingsFolderMeansShippedDefaultsReadOnly) {
    // A file where the configuration folder should be: no user, root included, can create it.
    WriteBytes(config, "not a folder");
    const auto shipped = Snapshot(program);
    const SettingsPlace place = start();
    EXPECT_EQ(place.layout, Layout::Installed);
    EXPECT_TRUE(place.readOnly);
    EXPECT_EQ(place.folder, program);
    EXPECT_EQ(place.userFolder, user);
    ASSERT_TRUE(place.problem.has_value());
    EXPECT_EQ(place.problem->code(), std::errc::not_a_directory);
    EXPECT_EQ(Snapshot(program), shipped);
}

TEST_F(InstalledFolders, SettingsFolderTheUserCannotWriteIsReported) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
    fs::create_directories(user);
    ::chmod(user.c_str(), 0555);
    const SettingsPlace place = start();
    ::chmod(user.c_str(), 0755);
    EXPECT_TRUE(place.readOnly);
    ASSERT_TRUE(place.problem.has_value());
    EXPECT_EQ(place.problem->code(), std::errc::permission_denied);
}

TEST_F(InstalledFolders, NoHomeAtAllIsReportedToo) {
    const SettingsPlace place = FindSettingsPlace(program, "", "");
    EXPECT_TRUE(place.readOnly);
    EXPECT_TRUE(place.problem.has_value());
    EXPECT_EQ(place.folder, program);
}

}  // namespace
