#pragma once
// The program-wide values fixed by the start procedure and read by the rest of the program.

#include <cstdint>
#include <memory>
#include <string>

#include "option_store.h"

namespace corvel::articles {
class ArticleStore;
}

struct AppContext {
    std::string AppFolder;  // the program's folder, as the platform reports it
    // Where web.ini and the rule files live: AppFolder itself, or the user's own settings
    // folder when the program is installed.
    std::string SettingsFolder;
    bool SettingsReadOnly = false;  // the user's folder is unusable: defaults, never written
    std::string OptionFilePath;     // SettingsFolder + separator + "web.ini"
    std::unique_ptr<Class_Option> OptionStore;
    // The one store of the user's articles, shared by the image scheme and the editor page.
    std::shared_ptr<corvel::articles::ArticleStore> Articles;
    std::int16_t MinEditorHeight = 0;  // twips
    std::int16_t MinEditorWidth = 0;   // twips
};
