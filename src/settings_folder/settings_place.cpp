#include "settings_place.h"

#include "settings_seeding.h"
#include "writable_folder.h"

namespace corvel::settings {

namespace fs = std::filesystem;

Layout ChooseLayout(const fs::path& programFolder) {
    std::error_code error;
    if (fs::exists(programFolder / kInstalledMarker, error)) return Layout::Installed;
    return IsWritableFolder(programFolder) ? Layout::Portable : Layout::Installed;
}

fs::path UserSettingsFolder(std::string_view xdgConfigHome, std::string_view home) {
    const fs::path xdg(xdgConfigHome);
    if (xdg.is_absolute()) return xdg / kUserFolderName;
    const fs::path homeFolder(home);
    if (homeFolder.is_absolute()) return homeFolder / ".config" / kUserFolderName;
    return {};
}

SettingsPlace FindSettingsPlace(const fs::path& programFolder, std::string_view xdgConfigHome,
                                std::string_view home) {
    SettingsPlace place;
    place.layout = ChooseLayout(programFolder);
    place.folder = programFolder;
    if (place.layout == Layout::Portable) return place;

    place.userFolder = UserSettingsFolder(xdgConfigHome, home);
    try {
        if (place.userFolder.empty()) {
            throw Utf8FileError("环境变量 HOME 和 XDG_CONFIG_HOME 都没有给出绝对路径");
        }
        PrepareSettingsFolder(programFolder, place.userFolder);
        place.folder = place.userFolder;
    } catch (const Utf8FileError& error) {
        place.readOnly = true;
        place.problem = error;
    }
    return place;
}

}  // namespace corvel::settings
