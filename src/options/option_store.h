#pragma once
// The option store: web.ini held in memory, looked up and updated by section and key,
// and written back line for line.

#include <filesystem>
#include <string>
#include <string_view>

#include "file_stamp.h"
#include "option_format.h"
#include "utf8_path.h"

class Class_Option {
public:
    // Reads and parses the file at once. Throws Utf8FileError when it cannot be read.
    explicit Class_Option(const corvel::options::Utf8Path& optionFilePath);

    // The file's name, UTF-8 (utf8_path.h), for messages.
    std::string optionFilePath() const { return corvel::options::Utf8FromPath(OptionFilePath); }

    std::string readOptionFile() const;
    // Writes every line back, whatever another program wrote meanwhile: ask changedOnDisk first.
    void writeOptionFile() const;
    std::string GetOption(std::string_view AppName, std::string_view KeyName) const;
    // Sets a key the file holds and returns the value; a key it lacks is not added, and gives "".
    std::string SetOption(std::string_view AppName, std::string_view KeyName,
                          std::string_view Value);
    // Whether the file holds the key, so that SetOption can store a value for it.
    bool HasOption(std::string_view AppName, std::string_view KeyName) const;

    // Whether the file on disk differs in size or modification time from when this store last
    // read or wrote it.
    bool changedOnDisk() const;
    // Reads the file again, dropping values set since. Throws Utf8FileError and keeps
    // everything as it was when the file cannot be read.
    void reload();

private:
    std::filesystem::path OptionFilePath;
    // Taken before the read, so that a write during the read counts as a change. Moves on with
    // every save, which is why a const save may change it.
    mutable corvel::options::FileStamp Stamp;
    // The whole file as read. The lines are re-read from it on every save; keys and the values
    // read from the file are positions in it.
    std::string OptionText;
    // The entries grouped by composite key, with the values that SetOption gave them.
    corvel::options::ParsedOptions Parsed;
};
