#pragma once
// Brings a user's web.ini up to a newer shipped one without touching what the user has.

#include <string>
#include <string_view>

namespace corvel::settings {

// `user` with every key that `shipped` has and `user` lacks added, as its shipped line, to the
// same section: after the last key line of that section (its header when it has none), or in a
// new section at the end of the file. Added lines end with the user file's own line break
// (corvel::options::LineBreakOf). No other byte changes; keys are compared exactly, with
// case, as lookups compare them. Both texts may start with a UTF-8 byte-order mark.
std::string AddMissingKeys(std::string_view user, std::string_view shipped);

}  // namespace corvel::settings
