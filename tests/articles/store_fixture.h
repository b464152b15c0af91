#pragma once
// A store in a fresh temporary folder, with a clock the test moves by hand.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "article_store.h"
#include "test_files.h"

namespace fs = std::filesystem;

struct StoreTest : ::testing::Test {
    const FreshFolder fresh{"corvel-articles"};
    const fs::path folder = fresh.path();
    const fs::path root = folder / "articles";
    std::int64_t now = 1733540000000;
    corvel::articles::ArticleStore store{root, [this] { return now; }};

    fs::path articleFile(const std::string& id, const fs::path& name) const {
        return root / id / name;
    }
};

// A tiny PNG-looking file: the signature, a 1x1 IHDR and some distinguishing bytes.
inline std::string PngBytes(std::string_view tag, std::size_t size = 64) {
    std::string bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0\0\0\0\0", 33);
    bytes += tag;
    bytes.resize(std::max(size, bytes.size()), 'p');
    return bytes;
}

inline ino_t Inode(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}
