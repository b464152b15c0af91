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

using Json = nlohmann::json;
using Rows = std::vector<std::vector<std::string>>;

struct OptionCase {
    std::string name;
    Json json;
};
void PrintTo(const OptionCase& c, std::ostream* os) { *os << c.name; }

std::vector<OptionCase> LoadCases() {
    const Json all = Json::parse(std::ifstream(CORVEL_TEST_DATA_DIR "/option_file_cases.json"));
    std::vector<OptionCase> cases;
    for (const Json& c : all.at("cases")) cases.push_back({c.at("name"), c});
    return cases;
}

class OptionFileCase : public FileTest, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(OptionFileCase, LoadsLooksUpSetsAndWrites) {
    const Json& c = GetParam().json;
    const std::string input = c.at("input");
    WriteUtf8File(file, input);

    // Entries in file order, as composite key and value.
    Rows entries;
    corvel::options::ForEachLine(input, [&](const corvel::options::LineInfo& line) {
        if (line.kind == corvel::options::LineKind::Key)
            entries.push_back({"A_" + std::string(line.section) + "_K_" + std::string(line.key),
                               std::string(line.value)});
    });
    EXPECT_EQ(entries, c.at("entries").get<Rows>());

    Class_Option store(file);
    for (const auto& g : c.at("get").get<Rows>())
        EXPECT_EQ(store.GetOption(g.at(0), g.at(1)), g.at(2)) << "get " << g[0] << "/" << g[1];
    for (const auto& s : c.value("set", Rows{}))
        EXPECT_EQ(store.SetOption(s.at(0), s.at(1), s.at(2)), s.at(3))
            << "set " << s[0] << "/" << s[1];
    store.writeOptionFile();
    EXPECT_EQ(ReadUtf8File(file), c.at("written").get<std::string>());
}

INSTANTIATE_TEST_SUITE_P(Shared, OptionFileCase, ::testing::ValuesIn(LoadCases()),
                         [](const auto& param) { return "case" + std::to_string(param.index); });

}  // namespace
