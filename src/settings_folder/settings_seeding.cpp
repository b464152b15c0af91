#include "settings_seeding.h"

#include <algorithm>
#include <string_view>
#include <system_error>

#include "file_io.h"
#include "missing_keys.h"
#include "utf8_file.h"
#include "writable_folder.h"

namespace corvel::settings {
namespace {

namespace fs = std::filesystem;
using corvel::options::ReadWholeFile;
using corvel::options::ReplaceWholeFile;

constexpr std::string_view kOptionFile = "web.ini";

void WriteBytes(const fs::path& path, std::string_view bytes) {
    ReplaceWholeFile(path, [bytes](const corvel::options::ByteSink& sink) { sink(bytes); });
}

}  // namespace

std::vector<std::string> ShippedSettingsFiles(const fs::path& programFolder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(programFolder, error)) {
        const fs::path name = entry.path().filename();
        if (!entry.is_regular_file(error)) continue;
        if (name == kOptionFile || name.extension() == ".txt") names.push_back(name.string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void PrepareSettingsFolder(const fs::path& programFolder, const fs::path& settingsFolder) {
    std::error_code error;
    fs::create_directories(settingsFolder, error);
    if (error) {
        throw Utf8FileError("cannot create \"" + settingsFolder.string() + "\": " + error.message(),
                            error);
    }
    RequireWritableFolder(settingsFolder);

    for (const std::string& name : ShippedSettingsFiles(programFolder)) {
        const fs::path own = settingsFolder / name;
        const fs::path shipped = programFolder / name;
        if (!fs::exists(own, error)) {
            WriteBytes(own, ReadWholeFile(shipped, {}));
        } else if (name == kOptionFile) {
            const std::string user = ReadWholeFile(own, {});
            const std::string merged = AddMissingKeys(user, ReadWholeFile(shipped, {}));
            if (merged != user) WriteBytes(own, merged);
        }
    }
}

}  // namespace corvel::settings
