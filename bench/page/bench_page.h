// What the page benchmarks share: Qt's offscreen platform and WebEngine without its sandbox
// (set before the application exists), the rounds asked for on the command line, and the
// built editor page.
#pragma once
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "page_loader.h"

inline void UseOffscreenBrowser() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

inline int RoundsFrom(int argc, char** argv, int fallback) {
    return argc > 1 ? std::max(1, std::atoi(argv[1])) : fallback;
}

inline bool OpenEditorPage(PageLoader& loader) {
    if (loader.open(QStringLiteral(CORVEL_APP_DIR "/index.html"))) return true;
    std::fprintf(stderr, "the editor page did not load\n");
    return false;
}
