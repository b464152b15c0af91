#include "option_store.h"

#include <limits>

#include "utf8_file.h"

namespace {

// The index keeps 32-bit positions into the text.
std::string CheckedSize(std::string text, const std::filesystem::path& path) {
    if (text.size() >= std::numeric_limits<std::uint32_t>::max()) {
        throw Utf8FileError("cannot read \"" + corvel::options::Utf8FromPath(path) +
                            "\": too large for an option file (4 GiB at most)");
    }
    return text;
}

}  // namespace

Class_Option::Class_Option(const corvel::options::Utf8Path& optionFilePath)
    : OptionFilePath(optionFilePath.path()),
      Stamp(corvel::options::StampOf(OptionFilePath)),
      OptionText(CheckedSize(readOptionFile(), OptionFilePath)),
      Parsed(corvel::options::ParseOptionText(OptionText)) {}

std::string Class_Option::readOptionFile() const { return ReadUtf8File(OptionFilePath); }

void Class_Option::writeOptionFile() const {
    corvel::options::WriteUtf8File(OptionFilePath, [this](const corvel::options::ByteSink& sink) {
        corvel::options::RenderOptionText(OptionText, Parsed, sink);
    });
    Stamp = corvel::options::StampOf(OptionFilePath);
}

bool Class_Option::changedOnDisk() const {
    return corvel::options::StampOf(OptionFilePath) != Stamp;
}

void Class_Option::reload() { *this = Class_Option(OptionFilePath); }

bool Class_Option::HasOption(std::string_view AppName, std::string_view KeyName) const {
    return corvel::options::FindGroup(Parsed, OptionText, AppName, KeyName).has_value();
}

std::string Class_Option::GetOption(std::string_view AppName, std::string_view KeyName) const {
    const auto group = corvel::options::FindGroup(Parsed, OptionText, AppName, KeyName);
    return group ? std::string(corvel::options::ValueOf(Parsed, OptionText, *group))
                 : std::string();
}

std::string Class_Option::SetOption(std::string_view AppName, std::string_view KeyName,
                                    std::string_view Value) {
    const auto group = corvel::options::FindGroup(Parsed, OptionText, AppName, KeyName);
    // The store never grows: a key the file did not hold cannot be set.
    if (!group) return {};
    corvel::options::SetValue(Parsed, *group, Value);
    return std::string(Value);
}
