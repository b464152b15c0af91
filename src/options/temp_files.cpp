#include "temp_files.h"

#include <charconv>
#include <string_view>
#include <system_error>

namespace corvel::options {
namespace {

std::string TempPrefix(const std::filesystem::path& target) {
    return "." + target.filename().string() + ".tmp-";
}

}  // namespace

std::filesystem::path TempFileFor(const std::filesystem::path& target, long pid, unsigned n) {
    return target.parent_path() /
           (TempPrefix(target) + std::to_string(pid) + "-" + std::to_string(n));
}

void RemoveStaleTempFiles(const std::filesystem::path& target, long ownPid) {
    const std::string prefix = TempPrefix(target);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
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
        std::error_code ignored;
        std::filesystem::remove(it->path(), ignored);
    }
}

}  // namespace corvel::options
