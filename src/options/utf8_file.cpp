#include "utf8_file.h"
std::string ReadUtf8File(const std::filesystem::path&) { throw Utf8FileError("not yet"); }
void WriteUtf8File(const std::filesystem::path&, std::string_view) { throw Utf8FileError("not yet"); }
std::string StripLineBreaks(std::string_view text) { return std::string(text); }
