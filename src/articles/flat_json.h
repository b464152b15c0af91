#pragma once
// The small files of an article (its metadata, the store's state) are flat JSON objects of
// strings, whole numbers and booleans. Text stays UTF-8, byte-exact.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace corvel::articles {

using FlatValue = std::variant<std::string, std::int64_t, bool>;
using FlatObject = std::map<std::string, FlatValue, std::less<>>;

std::string WriteFlatJson(const FlatObject& object);

// Nothing when the text is not one flat object (a torn or foreign file).
std::optional<FlatObject> ReadFlatJson(std::string_view text);

// A field of the wanted type; empty, 0 or false when it is missing or of another type.
std::string FlatString(const FlatObject& object, std::string_view key);
std::int64_t FlatNumber(const FlatObject& object, std::string_view key);
bool FlatBool(const FlatObject& object, std::string_view key);

}  // namespace corvel::articles
