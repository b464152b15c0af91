#include "option_store.h"

#include "utf8_file.h"

using corvel::options::Entry;

Class_Option::Class_Option(std::filesystem::path optionFilePath)
    : OptionFilePath(std::move(optionFilePath)),
      OptionText(readOptionFile()),
      Parsed(corvel::options::ParseOptionText(OptionText)) {
    OptionValues.reserve(Parsed.entries.size());
    for (const Entry& entry : Parsed.entries) {
        OptionValues.emplace_back(entry.value.in(OptionText));
    }
}

std::string Class_Option::readOptionFile() const { return ReadUtf8File(OptionFilePath); }

void Class_Option::writeOptionFile() const {
    WriteUtf8File(OptionFilePath,
                  corvel::options::RenderOptionText(OptionText, Parsed, OptionValues));
}

std::string Class_Option::GetOption(std::string_view AppName, std::string_view KeyName) const {
    std::size_t entry = 0;
    if (!corvel::options::FindOption(Parsed, OptionText, AppName, KeyName, entry)) return {};
    return OptionValues[entry];
}

std::string Class_Option::SetOption(std::string_view AppName, std::string_view KeyName,
                                    std::string_view Value) {
    std::size_t entry = 0;
    // The store never grows: a key the file did not hold cannot be set.
    if (!corvel::options::FindOption(Parsed, OptionText, AppName, KeyName, entry)) return {};
    OptionValues[entry] = Value;
    return std::string(Value);
}
