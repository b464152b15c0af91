// Tables in tests/data/settings_folder_cases.json: the upgrade merge and the user's folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "missing_keys.h"
#include "settings_place.h"
#include "test_data.h"

namespace {

const nlohmann::json kCases = TestData("settings_folder_cases.json");

// The user's file gains exactly the shipped keys it lacks, and merging the result again changes
// nothing.
TEST(AddMissingKeys, AddsExactlyTheMissingKeysOnce) {
    for (const auto& c : kCases.at("missingKeys")) {
        SCOPED_TRACE(c.at("name").get<std::string>());
        const std::string user = c.at("user"), shipped = c.at("shipped"),
                          expected = c.at("expected");
        EXPECT_EQ(corvel::settings::AddMissingKeys(user, shipped), expected);
        EXPECT_EQ(corvel::settings::AddMissingKeys(expected, shipped), expected);
    }
}

TEST(UserSettingsFolder, FollowsXdgThenHome) {
    for (const auto& c : kCases.at("userFolder")) {
        const std::string xdg = c.at("xdg"), home = c.at("home"), folder = c.at("folder");
        EXPECT_EQ(corvel::settings::UserSettingsFolder(xdg, home), std::filesystem::path(folder))
            << xdg << " | " << home;
    }
}

}  // namespace
