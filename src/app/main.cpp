// Corvel软文编辑器. Arguments are files to open as new drafts; options other than Qt's own are
// ignored.

#include <QApplication>
#include <cstdio>

#include "bas_main.h"
#include "chinese_translations.h"
#include "opened_file_queue.h"
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
    const QStringList files = commandLineFiles(QApplication::arguments());
    if (instance.handOverToRunningCopy(500, &why, files)) return 0;
    // Starting anyway beats ending without a word; the user learns why a second copy may run.
    if (!why.isEmpty())
        std::fprintf(stderr, "%s\n",
                     QStringLiteral("无法确认是否已有副本在运行（%1），照常启动。")
                         .arg(why)
                         .toLocal8Bit()
                         .constData());
    QObject::connect(&instance, &SingleInstance::showRequested, &app, &raiseMainWindow);
    QObject::connect(&instance, &SingleInstance::openRequested, &app,
                     [](const QStringList& handed) { OpenedFileQueue::instance().add(handed); });
    OpenedFileQueue::instance().add(files);
    DesktopPlatform platform;
    return runProgram(programFolder(), platform);
}
