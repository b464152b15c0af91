#pragma once
// Names of the temporary files that a save writes beside its target, and the clean-up of those
// that a save killed half-way left behind.

#include <filesystem>
#include <string>
#include <vector>

namespace corvel::options {

// ".<target name>.tmp-<pid>-<n>": hidden, next to the target, owned by one process.
std::filesystem::path TempFileFor(const std::filesystem::path& target, long pid, unsigned n);

// Removes temporary files of `target` whose owning process has ended. Files of live processes
// (another instance saving right now) and of this process are left alone. Best effort: a file
// that cannot be removed stays for the next save.
void RemoveStaleTempFiles(const std::filesystem::path& target, long ownPid);

// Whether the process has ended; implemented per platform.
bool ProcessIsGone(long pid);

// The names of the entries in `folder`, none when it cannot be read; implemented per platform.
std::vector<std::filesystem::path> NamesIn(const std::filesystem::path& folder);

// Removes a file if it can; implemented per platform.
void RemoveQuietly(const std::filesystem::path& file);

}  // namespace corvel::options
