#pragma once
// Whether the running user may create and replace files in a folder.

#include <filesystem>

namespace corvel::settings {

// Throws Utf8FileError, naming the folder and the system's reason, unless files can be created
// in `folder`. Asks the system rather than looking at permission bits, so that root, who may
// write anywhere, is refused only where the system refuses (a read-only disk).
void RequireWritableFolder(const std::filesystem::path& folder);

bool IsWritableFolder(const std::filesystem::path& folder);

}  // namespace corvel::settings
