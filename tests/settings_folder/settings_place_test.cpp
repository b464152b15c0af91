#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <string>
#include <tuple>

#include "option_file_test.h"
#include "settings_place.h"
#include "settings_seeding.h"

namespace {

using corvel::settings::FindSettingsPlace;
using corvel::settings::Layout;
using corvel::settings::SettingsPlace;

const std::string kShippedIni =
    "\xEF\xBB\xBF;defaults\r\n[ueditor]\r\ntoolbars=Standard\r\nwordCount=true\r\n";

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

// The marker decides even where the folder is writable; a folder the user cannot write is
// installed without it. A portable folder is used as it is, with nothing made elsewhere.
TEST_F(FileTest, LayoutFollowsTheMarkerOrAFolderNobodyCanWrite) {
    WriteBytes(file, kShippedIni);
    const SettingsPlace place = FindSettingsPlace(folder, (folder / "cfg").string(), "");
    EXPECT_EQ(std::tie(place.layout, place.folder, place.readOnly),
              std::tuple(Layout::Portable, folder, false));
    EXPECT_FALSE(fs::exists(folder / "cfg"));
    if (::geteuid() != 0) {  // root writes into any folder
        ::chmod(folder.c_str(), 0555);
        EXPECT_EQ(corvel::settings::ChooseLayout(folder), Layout::Installed);
        ::chmod(folder.c_str(), 0755);
    }
    WriteBytes(folder / corvel::settings::kInstalledMarker, "");
    EXPECT_EQ(corvel::settings::ChooseLayout(folder), Layout::Installed);
}

// The first start copies every settings file byte for byte and nothing of the page; later
// starts keep the user's files, add the ones the user lacks, and after an upgrade add the new
// shipped key and nothing else. The program folder never changes.
TEST_F(InstalledFolders, FirstStartSeedsLaterStartsKeepTheUsersFilesAndAddNewOnes) {
    const auto shipped = FilesBelow(program);
    const SettingsPlace place = start();
    EXPECT_EQ(std::tie(place.layout, place.folder, place.readOnly),
              std::tuple(Layout::Installed, user, false));
    const auto expected = SettingsFilesOf(shipped);
    EXPECT_EQ(expected.size(), 4u);
    EXPECT_EQ(FilesBelow(user), expected);

    const std::string usersIni = "\xEF\xBB\xBF[ueditor]\r\ntoolbars=All\r\nwordCount=false\r\n";
    WriteBytes(user / "web.ini", usersIni);
    WriteBytes(user / "redundant.txt", "my rules");
    fs::remove(user / "adlaw.txt");
    start();
    EXPECT_EQ(ReadBytes(user / "web.ini"), usersIni);
    EXPECT_EQ(ReadBytes(user / "redundant.txt"), "my rules");
    EXPECT_EQ(ReadBytes(user / "adlaw.txt"), ReadBytes(program / "adlaw.txt"));
    EXPECT_EQ(FilesBelow(program), shipped);

    WriteBytes(program / "web.ini",
               kShippedIni + "elementPathEnabled=false\r\n[system]\r\nalwaysTop=false\r\n");
    start();
    EXPECT_EQ(ReadBytes(user / "web.ini"),
              usersIni + "elementPathEnabled=false\r\n\r\n[system]\r\nalwaysTop=false\r\n");
}

// A settings folder that cannot be made or written: the shipped files, read-only, and the
// reason. ("Write" in the name: CTest runs it again as an ordinary user.)
TEST_F(InstalledFolders, SettingsFolderNobodyCanWriteMeansShippedDefaultsReadOnly) {
    // A file where the configuration folder should be: nobody, root included, can make it; a
    // folder without write bits; no home at all (any reason).
    const std::pair<std::string_view, std::optional<std::errc>> cases[] = {
        {"", std::errc::not_a_directory}, {"", std::errc::permission_denied}, {"relative", {}}};
    const auto shipped = FilesBelow(program);
    for (const auto& [xdg, reason] : cases) {
        SCOPED_TRACE(reason ? std::make_error_code(*reason).message() : "no home");
        if (reason == std::errc::permission_denied && ::geteuid() == 0) continue;
        fs::remove_all(config);
        if (reason == std::errc::not_a_directory) WriteBytes(config, "x");
        if (reason == std::errc::permission_denied) {
            fs::create_directories(user);
            ::chmod(user.c_str(), 0555);
        }
        const SettingsPlace place = xdg.empty() ? start() : FindSettingsPlace(program, xdg, "");
        EXPECT_EQ(std::tie(place.layout, place.folder, place.readOnly, place.userFolder),
                  std::tuple(Layout::Installed, program, true, xdg.empty() ? user : fs::path()));
        ASSERT_TRUE(place.problem.has_value());
        EXPECT_TRUE(!reason || place.problem->code() == *reason) << place.problem->code();
        EXPECT_EQ(FilesBelow(program), shipped);
    }
}

}  // namespace
