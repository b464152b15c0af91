#pragma once
// The tables of tests/data/article_cases.json.

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

using Json = nlohmann::json;

// One table: its rows, under "cases" when the table says what they are.
inline Json ArticleCases(const char* table) {
    static const Json all = Json::parse(std::ifstream(CORVEL_TEST_DATA_DIR "/article_cases.json"));
    const Json& found = all.at(table);
    return found.is_object() ? found.at("cases") : found;
}

// A table's string that stands for bytes, one byte per character (U+0000 to U+00FF).
inline std::string Latin1Bytes(const std::string& utf8) {
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        bytes += lead < 0x80 ? char(lead) : char(((lead & 0x03) << 6) | (utf8[++i] & 0x3F));
    }
    return bytes;
}
