// Runs the shared table of option-file cases (tests/data/option_file_cases.json), which the
// editor page's reader is tested against as well.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "option_format.h"
#include "option_store.h"
#include "temp_folder.h"
#include "utf8_file.h"

namespace {

struct OptionCase {
    std::string name;
    nlohmann::json json;
};

void PrintTo(const OptionCase& c, std::ostream* os) { *os << c.name; }

std::vector<OptionCase> LoadCases() {
    std::ifstream in(CORVEL_TEST_DATA_DIR "/option_file_cases.json");
    const nlohmann::json all = nlohmann::json::parse(in);
    std::vector<OptionCase> cases;
    for (const auto& c : all.at("cases")) cases.push_back({c.at("name"), c});
    return cases;
}

class OptionFileCase : public ::testing::TestWithParam<OptionCase> {};

TEST_P(OptionFileCase, LoadsLooksUpSetsAndWrites) {
    const nlohmann::json& c = GetParam().json;
    const std::string input = c.at("input");
    TempFolder folder;
    const auto file = folder / "web.ini";
    WriteUtf8File(file, input);

    // Entries in file order, as composite key and value.
    std::vector<std::pair<std::string, std::string>> entries;
    corvel::options::ForEachLine(input, [&](const corvel::options::LineInfo& line) {
        if (line.kind != corvel::options::LineKind::Key) return;
        entries.emplace_back("A_" + std::string(line.section) + "_K_" + std::string(line.key),
                             std::string(line.value));
    });
    EXPECT_EQ(entries, (c.at("entries").get<std::vector<std::pair<std::string, std::string>>>()));

    Class_Option store(file);
    for (const auto& g : c.at("get")) {
        EXPECT_EQ(store.GetOption(g.at(0).get<std::string>(), g.at(1).get<std::string>()), g.at(2))
            << "get " << g;
    }
    for (const auto& s : c.value("set", nlohmann::json::array())) {
        EXPECT_EQ(store.SetOption(s.at(0).get<std::string>(), s.at(1).get<std::string>(),
                                  s.at(2).get<std::string>()),
                  s.at(3))
            << "set " << s;
    }
    store.writeOptionFile();
    EXPECT_EQ(ReadUtf8File(file), c.at("written").get<std::string>());
}

INSTANTIATE_TEST_SUITE_P(Shared, OptionFileCase, ::testing::ValuesIn(LoadCases()),
                         [](const ::testing::TestParamInfo<OptionCase>& param) {
                             return "case" + std::to_string(param.index);
                         });

}  // namespace
