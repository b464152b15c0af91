#pragma once
// Case tables kept as JSON in tests/data. JSON text holds only UTF-8, so a byte outside it is
// written "\xHH" there (a backslash in the text) and turned back into the byte on loading.

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

// Every string in `data` with each "\xHH" replaced by the byte HH.
inline void DecodeByteEscapes(nlohmann::json& data) {
    if (data.is_structured()) {
        for (auto& item : data) DecodeByteEscapes(item);
    } else if (auto* text = data.get_ptr<std::string*>()) {
        for (std::size_t at = 0; (at = text->find("\\x", at)) != std::string::npos; ++at)
            text->replace(at, 4, 1, char(std::stoi(text->substr(at + 2, 2), nullptr, 16)));
    }
}

// tests/data/<name>, byte escapes decoded.
inline nlohmann::json TestData(const std::string& name) {
    nlohmann::json data = nlohmann::json::parse(std::ifstream(CORVEL_TEST_DATA_DIR "/" + name));
    DecodeByteEscapes(data);
    return data;
}
