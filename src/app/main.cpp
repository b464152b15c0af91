// Corvel软文编辑器. Command-line arguments are ignored, except those Qt itself takes.

#include <QApplication>

#include "bas_main.h"
#include "chinese_translations.h"
#include "platform.h"
#include "single_instance.h"
#include "startup_environment.h"

int main(int argc, char** argv) {
    disableSandboxForRoot();
    reportOversizedWritesAsErrors();
    if (!displayAvailable(argc, argv)) return 1;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvel-editor"));
    installChineseTranslations(app);
    SingleInstance instance(SingleInstance::serverNameForUser());
    if (instance.handOverToRunningCopy()) return 0;
    QObject::connect(&instance, &SingleInstance::showRequested, &app, &raiseMainWindow);
    DesktopPlatform platform;
    return runProgram(programFolder(), platform);
}
