#pragma once
// Which folder holds the settings (web.ini and the rule files) for this run of the program.
//
// Portable: the program folder can be written and is used for everything, as it always was.
// Installed: the package put a marker file into the program folder, or the folder cannot be
// written; each user then keeps the settings in a folder of their own, seeded from the program
// folder, whose files are only the defaults. The marker matters for root, who could write into
// an installed program folder and would otherwise change every user's defaults.

#include <filesystem>
#include <optional>
#include <string_view>

#include "utf8_file.h"

namespace corvel::settings {

// Installed by the package alone, never by a plain `cmake --install`.
inline constexpr std::string_view kInstalledMarker = "installed-layout";
// The folder's name under the user's configuration folder.
inline constexpr std::string_view kUserFolderName = "corvel-editor";

enum class Layout { Portable, Installed };

struct SettingsPlace {
    Layout layout = Layout::Portable;
    // Where web.ini and the rule files are read, and written unless readOnly.
    std::filesystem::path folder;
    // Installed: the user's settings folder, also when it could not be used.
    std::filesystem::path userFolder;
    // The user's folder could not be made ready: the shipped files are read and nothing is
    // written. `problem` says why.
    bool readOnly = false;
    std::optional<Utf8FileError> problem;
};

Layout ChooseLayout(const std::filesystem::path& programFolder);

// $XDG_CONFIG_HOME/corvel-editor, where XDG_CONFIG_HOME is absolute, else
// $HOME/.config/corvel-editor. Empty when neither gives an absolute folder.
std::filesystem::path UserSettingsFolder(std::string_view xdgConfigHome, std::string_view home);

// Chooses the layout and, when installed, prepares the user's folder (see PrepareSettingsFolder).
SettingsPlace FindSettingsPlace(const std::filesystem::path& programFolder,
                                std::string_view xdgConfigHome, std::string_view home);

}  // namespace corvel::settings
