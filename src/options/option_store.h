#pragma once
// The option store: web.ini held in memory, looked up and updated by section and key,
// and written back line for line.

#include <filesystem>
#include <string>
#include <string_view>

class Class_Option {
public:
    // Reads and parses the file at once. Throws Utf8FileError when it cannot be read.
    explicit Class_Option(std::filesystem::path optionFilePath);

    std::string readOptionFile() const;
    void writeOptionFile() const;
    std::string GetOption(std::string_view AppName, std::string_view KeyName) const;
    std::string SetOption(std::string_view AppName, std::string_view KeyName,
                          std::string_view Value);
};
