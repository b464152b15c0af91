#pragma once
// The program-wide values fixed by the start procedure and read by the rest of the program.

#include <cstdint>
#include <memory>
#include <string>

#include "option_store.h"

struct AppContext {
    std::string AppFolder;       // the program's folder, as the platform reports it
    std::string OptionFilePath;  // AppFolder + separator + "web.ini"
    std::unique_ptr<Class_Option> OptionStore;
    std::int16_t MinEditorHeight = 0;  // twips
    std::int16_t MinEditorWidth = 0;   // twips
};
