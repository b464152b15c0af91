#pragma once
// The option store: web.ini held in memory, looked up and updated by section and key,
// and written back line for line.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "option_format.h"

class Class_Option {
public:
    // Reads and parses the file at once. Throws Utf8FileError when it cannot be read.
    explicit Class_Option(std::filesystem::path optionFilePath);

    std::string readOptionFile() const;
    void writeOptionFile() const;
    std::string GetOption(std::string_view AppName, std::string_view KeyName) const;
    std::string SetOption(std::string_view AppName, std::string_view KeyName,
                          std::string_view Value);

private:
    std::filesystem::path OptionFilePath;
    // The whole file as read; lines, sections and keys are positions in it and never change.
    std::string OptionText;
    corvel::options::ParsedOptions Parsed;
    // One value per entry, in file order; only SetOption changes them.
    std::vector<std::string> OptionValues;
};
