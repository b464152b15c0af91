#pragma once
// Files in tests: a fresh folder removed afterwards, raw bytes in and out, and every file below a
// folder at once. Standard library
// only, so that the option store's tests use it on Windows too.

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

// A new, empty folder in the system's temporary folder, removed with everything in it (made
// writable first, for tests that take the write bits away).
class FreshFolder {
public:
    explicit FreshFolder(std::string_view prefix = "corvel-test") {
        std::random_device random;
        do {
            path_ =
                fs::temp_directory_path() / (std::string(prefix) + "-" + std::to_string(random()));
        } while (!fs::create_directory(path_));
    }
    ~FreshFolder() {
        std::error_code ignored;
        for (auto it = fs::recursive_directory_iterator(path_, ignored);
             it != fs::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
            }
        }
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    FreshFolder(const FreshFolder&) = delete;
    FreshFolder& operator=(const FreshFolder&) = delete;

    const fs::path& path() const { return path_; }
    operator const fs::path&() const { return path_; }
    fs::path operator/(const fs::path& name) const { return path_ / name; }

private:
    fs::path path_;
};

inline void WriteBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::ssize(bytes));
}

// The file's bytes; empty when it cannot be read.
inline std::string ReadBytes(const fs::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// Every regular file below `folder`, by relative path with '/' between names, with its bytes.
inline std::map<std::string, std::string> FilesBelow(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).generic_string()] = ReadBytes(entry.path());
    return files;
}

// Of the files of a program folder, the settings files: web.ini and the rule files at its top.
inline std::map<std::string, std::string> SettingsFilesOf(
    std::map<std::string, std::string> files) {
    std::erase_if(files, [](const auto& entry) {
        const std::string& name = entry.first;
        return name.find('/') != std::string::npos ||
               (name != "web.ini" && !name.ends_with(".txt"));
    });
    return files;
}

// The text with the line `from` (whole, between CR LFs) replaced by `to`; empty unless `from` is
// there exactly once.
inline std::string WithLineReplaced(const std::string& text, const std::string& from,
                                    const std::string& to) {
    const std::string whole = "\r\n" + from + "\r\n";
    const std::size_t at = text.find(whole);
    if (at == std::string::npos || text.find(whole, at + 1) != std::string::npos) return {};
    return text.substr(0, at) + "\r\n" + to + "\r\n" + text.substr(at + whole.size());
}
