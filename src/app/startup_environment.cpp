#include "startup_environment.h"

#ifndef _WIN32
#include <csignal>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

std::string chosenPlatform(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return argv[i + 1];
    }
    if (isSet("QT_QPA_PLATFORM")) return std::getenv("QT_QPA_PLATFORM");
    return "xcb";
}
}  // namespace

void disableSandboxForRoot() {
#ifndef _WIN32
    if (geteuid() != 0 || isSet("QTWEBENGINE_DISABLE_SANDBOX")) return;
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    std::fputs("corvel-editor: running as root, so the web engine's sandbox is switched off.\n",
               stderr);
#endif
}

void reportOversizedWritesAsErrors() {
#ifndef _WIN32
    // Past a file-size limit the system kills the writer by default. Ignored, the write fails
    // instead, the save reports it, and the old settings file stays as it was.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

bool displayAvailable(int argc, char** argv) {
    if (chosenPlatform(argc, argv).rfind("xcb", 0) != 0) return true;
    if (isSet("DISPLAY") || isSet("WAYLAND_DISPLAY")) return true;
    std::fputs(
        "corvel-editor: there is no display to show the window on "
        "(neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
        "To run it on a virtual display instead:\n"
        "  xvfb-run -a -s '-screen 0 1280x800x24' build/bin/corvel-editor\n",
        stderr);
    return false;
}
