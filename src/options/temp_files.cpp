#include "temp_files.h"

#include <charconv>
#include <string_view>
#include <system_error>

#include "utf8_path.h"

namespace corvel::options {
namespace {

std::string TempPrefix(const std::filesystem::path& target) {
    return "." + Utf8FromPath(target.filename()) + ".tmp-";
}

}  // namespace

std::filesystem::path TempFileFor(const std::filesystem::path& target, long pid, unsigned n) {
    return target.parent_path() /
           PathFromUtf8(TempPrefix(target) + std::to_string(pid) + "-" + std::to_string(n));
}

void RemoveStaleTempFiles(const std::filesystem::path& target, long ownPid) {
    const std::string prefix = TempPrefix(target);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    for (const std::filesystem::path& entry : NamesIn(folder)) {
        const std::string name = Utf8FromPath(entry);
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        // The owner's pid runs from the prefix up to the next "-", and a counter follows it.
        const char* first = name.data() + prefix.size();
        const char* last = name.data() + name.size();
        long pid = 0;
        const auto [next, err] = std::from_chars(first, last, pid);
        if (err != std::errc() || next == first || next == last || *next != '-') continue;
        unsigned counter = 0;
        const auto [tail, err2] = std::from_chars(next + 1, last, counter);
        if (err2 != std::errc() || tail != last) continue;
        if (pid == ownPid || pid <= 0 || !ProcessIsGone(pid)) continue;
        RemoveQuietly(folder / entry);
    }
}

}  // namespace corvel::options
