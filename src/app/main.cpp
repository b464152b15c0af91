// Corvel软文编辑器. Command-line arguments are ignored, except those Qt itself takes.

#include <QApplication>
#include <cstdio>

#include "bas_main.h"
#include "chinese_translations.h"
#include "platform.h"
#include "single_instance.h"
#include "startup_environment.h"
#include "url_schemes.h"

int main(int argc, char** argv) {
    disableSandboxForRoot();
    reportOversizedWritesAsErrors();
    if (!displayAvailable(argc, argv)) return 1;
    registerProgramSchemes();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvel-editor"));
    installChineseTranslations(app);
    QString why;
    SingleInstance instance(SingleInstance::serverNameForUser(&why));
    if (instance.handOverToRunningCopy(500, &why)) return 0;
    // Starting anyway beats ending without a word; the user learns why a second copy may run.
    if (!why.isEmpty())
        std::fprintf(stderr, "%s\n",
                     QStringLiteral("无法确认是否已有副本在运行（%1），照常启动。")
                         .arg(why)
                         .toLocal8Bit()
                         .constData());
    QObject::connect(&instance, &SingleInstance::showRequested, &app, &raiseMainWindow);
    DesktopPlatform platform;
    return runProgram(programFolder(), platform);
}
