// Runs the shared table of option-file cases (tests/data/option_file_cases.json), which the
// editor page's reader is tested against as well, and the store's cases in malformed UTF-8
// (tests/data/utf8_byte_cases.json), which only the store reads.
#include <gtest/gtest.h>

#include "option_file_test.h"
#include "option_format.h"
#include "option_store.h"
#include "test_data.h"
#include "utf8_file.h"
#include "utf8_text.h"

namespace {

using Json = nlohmann::json;
using Rows = std::vector<std::vector<std::string>>;

struct OptionCase {
    std::string name;
    Json json;
};
void PrintTo(const OptionCase& c, std::ostream* os) { *os << c.name; }

// Bytes as the editor page's UTF-8 decoder hands them on: each malformed byte is U+FFFD.
std::string AsPageDecodes(std::string_view bytes) {
    std::string text;
    while (!bytes.empty()) {
        const std::size_t n = WellFormedUtf8Length(bytes);
        text.append(n == 0 ? std::string_view("\xEF\xBF\xBD") : bytes.substr(0, n));
        bytes.remove_prefix(n == 0 ? 1 : n);
    }
    return text;
}

std::vector<OptionCase> LoadCases() {
    const Json shared = TestData("option_file_cases.json"),
               bytes = TestData("utf8_byte_cases.json");
    std::vector<OptionCase> cases;
    for (const Json* table : {&shared.at("cases"), &bytes.at("store")})
        for (const Json& c : *table) cases.push_back({c.at("name"), c});
    return cases;
}

class OptionFileCase : public FileTest, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(OptionFileCase, LoadsLooksUpSetsAndWrites) {
    const Json& c = GetParam().json;
    const std::string input = c.at("input");
    // Bytes that JSON text cannot hold (a file that starts with FF FE) begin the file as it
    // is, without the mark the store writes, and begin the rewritten file too.
    const std::vector<int> start = c.value("rawStart", std::vector<int>{});
    const std::string rawStart(start.begin(), start.end());
    rawStart.empty() ? WriteUtf8File(file, input) : WriteBytes(file, rawStart + input);

    // Entries in file order, as composite key and value, read as the store reads the file.
    Rows entries;
    corvel::options::ForEachLine(ReadUtf8File(file), [&](const corvel::options::LineInfo& line) {
        if (line.kind == corvel::options::LineKind::Key)
            entries.push_back(
                {AsPageDecodes("A_" + std::string(line.section) + "_K_" + std::string(line.key)),
                 AsPageDecodes(line.value)});
    });
    EXPECT_EQ(entries, c.value("entries", entries));

    Class_Option store(file);
    for (const auto& g : c.at("get").get<Rows>())
        EXPECT_EQ(store.GetOption(g.at(0), g.at(1)), g.at(2)) << "get " << g[0] << "/" << g[1];
    for (const auto& s : c.value("set", Rows{})) {
        // HasOption names exactly the keys SetOption can store; storing "" proves nothing, as
        // SetOption gives "" for a missing key too.
        EXPECT_TRUE(s.at(2).empty() || store.HasOption(s[0], s[1]) == (s.at(3) == s[2])) << s[1];
        EXPECT_EQ(store.SetOption(s[0], s[1], s[2]), s.at(3)) << "set " << s[0] << "/" << s[1];
    }
    store.writeOptionFile();
    EXPECT_EQ(ReadUtf8File(file), rawStart + c.at("written").get<std::string>());
}

INSTANTIATE_TEST_SUITE_P(Shared, OptionFileCase, ::testing::ValuesIn(LoadCases()),
                         [](const auto& param) { return "case" + std::to_string(param.index); });

}  // namespace
