#include "option_store.h"
#include "utf8_file.h"
Class_Option::Class_Option(std::filesystem::path p) { ReadUtf8File(p); }
std::string Class_Option::readOptionFile() const { return {}; }
void Class_Option::writeOptionFile() const {}
std::string Class_Option::GetOption(std::string_view, std::string_view) const { return {}; }
std::string Class_Option::SetOption(std::string_view, std::string_view, std::string_view) { return {}; }
