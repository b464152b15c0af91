// Corvel软文编辑器. Command-line arguments are ignored, except those Qt itself takes.

#include <QApplication>

#include "article_setup.h"
#include "bas_main.h"
#include "chinese_translations.h"
#include "platform.h"
#include "startup_environment.h"

int main(int argc, char** argv) {
    disableSandboxForRoot();
    reportOversizedWritesAsErrors();
    if (!displayAvailable(argc, argv)) return 1;
    registerArticleScheme();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvel-editor"));
    installChineseTranslations(app);
    DesktopPlatform platform;
    return runProgram(programFolder(), platform);
}
