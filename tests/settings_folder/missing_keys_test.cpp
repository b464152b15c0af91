#include <gtest/gtest.h>

#include <string>

#include "missing_keys.h"
#include "test_data.h"

namespace {

// The user's file gains exactly the shipped keys it lacks (tests/data/missing_keys_cases.json),
// and merging the result again changes nothing.
TEST(AddMissingKeys, AddsExactlyTheMissingKeysOnce) {
    const auto cases = TestData("missing_keys_cases.json");
    for (const auto& c : cases.at("cases")) {
        SCOPED_TRACE(c.at("name").get<std::string>());
        const std::string user = c.at("user"), shipped = c.at("shipped"),
                          expected = c.at("expected");
        EXPECT_EQ(corvel::settings::AddMissingKeys(user, shipped), expected);
        EXPECT_EQ(corvel::settings::AddMissingKeys(expected, shipped), expected);
    }
}

}  // namespace
