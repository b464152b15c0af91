#pragma once
// The option store: web.ini held in memory, looked up and updated by section and key,
// and written back line for line.

#include <filesystem>
#include <string>
#include <string_view>

#include "option_format.h"
#include "utf8_path.h"

class Class_Option {
public:
    // Reads and parses the file at once. Throws Utf8FileError when it cannot be read.
    explicit Class_Option(const corvel::options::Utf8Path& optionFilePath);

    std::string readOptionFile() const;
    void writeOptionFile() const;
    std::string GetOption(std::string_view AppName, std::string_view KeyName) const;
    std::string SetOption(std::string_view AppName, std::string_view KeyName,
                          std::string_view Value);

private:
    std::filesystem::path OptionFilePath;
    // The whole file as read. The lines are re-read from it on every save; keys and the values
    // read from the file are positions in it.
    std::string OptionText;
    // The entries grouped by composite key, with the values that SetOption gave them.
    corvel::options::ParsedOptions Parsed;
};
