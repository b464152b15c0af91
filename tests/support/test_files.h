#pragma once
// Files in tests: a fresh folder removed afterwards, and raw bytes in and out. Standard library
// only, so that the option store's tests use it on Windows too.

#include <filesystem>
#include <fstream>
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
            path_ = fs::temp_directory_path() / (std::string(prefix) + "-" + std::to_string(random()));
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
