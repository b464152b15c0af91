// How long a Save takes in the editor settings dialog, on a copy of the shipped settings, in two
// figures measured side by side:
// - with a fake host, from the click to the rewritten web.ini and the page refresh started,
//   against WriteUtf8File of the same bytes;
// - end to end in the real program, from the click to the reloaded page's
//   window.corvelEditor.ready, against a bare reload of the same page to its ready.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "bas_main.h"
#include "editor_window.h"
#include "fake_host.h"
#include "main_window.h"
#include "recording_platform.h"
#include "scratch_web_storage.h"
#include "settings_dialogs.h"
#include "utf8_file.h"
#include "web_script.h"

namespace {
using Clock = std::chrono::steady_clock;

class TimingHost : public FakeHost {
public:
    using FakeHost::FakeHost;
    void refreshEditor() override {
        refreshStarted = Clock::now();
        FakeHost::refreshEditor();
    }
    Clock::time_point refreshStarted;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int FakeHostFigures(int rounds) {
    const auto folder = std::filesystem::temp_directory_path() / "corvel-dialogs-save-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(CORVEL_DATA_DIR "/web.ini", folder / "web.ini");
    const auto yardstickPath = folder / "yardstick.ini";

    TimingHost host(folder);
    SettingsDialogs dialogs(host);
    std::vector<double> saves;
    std::vector<double> writes;
    for (int i = 0; i < rounds; ++i) {
        dialogs.openUeditor();
        auto* save = host.ownerWindow()->findChild<QPushButton*>("Command_Save");
        const auto clicked = Clock::now();
        QTest::mouseClick(save, Qt::LeftButton);
        saves.push_back(
            std::chrono::duration<double, std::micro>(host.refreshStarted - clicked).count());

        const std::string bytes = ReadUtf8File(folder / "web.ini");
        const auto start = Clock::now();
        WriteUtf8File(yardstickPath, bytes);
        writes.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    if (host.refreshes != rounds || !host.errors.isEmpty()) {
        std::fprintf(stderr, "a Save did not complete\n");
        return 1;
    }
    const double save = Median(saves);
    const double write = Median(writes);
    std::printf("web.ini: %ju bytes, %d rounds (medians)\n",
                static_cast<std::uintmax_t>(std::filesystem::file_size(folder / "web.ini")),
                rounds);
    std::printf("Save click -> file rewritten, refresh started: %8.1f us\n", save);
    std::printf("WriteUtf8File of the same bytes (yardstick):   %8.1f us\n", write);
    std::printf("ratio Save / WriteUtf8File:                    %8.2f\n", save / write);
    std::filesystem::remove_all(folder);
    return 0;
}

// Copies the program folder that the build made, so that its web.ini stays as it is.
bool CopyProgramFolder(const QDir& to) {
    const QDir built(QStringLiteral(CORVEL_APP_DIR));
    for (const char* name : {"web.ini", "index.html", "conversion.txt", "redundant.txt"}) {
        if (!QFile::copy(built.filePath(name), to.filePath(name))) return false;
    }
    QDirIterator files(built.filePath("editor"), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString target = to.filePath(built.relativeFilePath(file));
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(file, target)) return false;
    }
    return true;
}

// Marks the page, runs `act`, and waits until a new page is ready. Milliseconds, or -1.
double UntilReloadedReady(QWebEnginePage* page, const std::function<void()>& act) {
    if (!RunScript(page, QStringLiteral("window.corvelBenchOld = true"))) return -1;
    const auto start = Clock::now();
    act();
    const QString reloaded =
        QStringLiteral("!window.corvelBenchOld && !!(window.corvelEditor && corvelEditor.ready)");
    if (!WaitFor([&] { return RunScript(page, reloaded).value_or(false).toBool(); }, 30000, 0)) {
        return -1;
    }
    return MillisecondsSince(start);
}

int EndToEndFigures(int rounds) {
    QTemporaryDir folder;
    if (!CopyProgramFolder(QDir(folder.path()))) {
        std::fprintf(stderr, "cannot copy the program folder %s\n", CORVEL_APP_DIR);
        return 1;
    }
    RecordingPlatform platform;
    const std::unique_ptr<Program> program = Program::start(folder.path().toStdString(), platform);
    if (!program) return 1;
    QWebEnginePage* page = program->mainWindow()->editor()->browser()->page();
    const QString ready = QStringLiteral("!!(window.corvelEditor && corvelEditor.ready)");
    if (!WaitFor([&] { return RunScript(page, ready).value_or(false).toBool(); }, 60000)) {
        std::fprintf(stderr, "the editor page did not get ready\n");
        return 1;
    }
    auto* openDialog = program->mainWindow()->findChild<QAction*>(QStringLiteral("Option_Ueditor"));
    std::vector<double> saves, reloads;
    for (int i = 0; i < rounds; ++i) {
        openDialog->trigger();
        auto* save = program->mainWindow()->findChild<QPushButton*>(QStringLiteral("Command_Save"));
        const double saved =
            UntilReloadedReady(page, [&] { QTest::mouseClick(save, Qt::LeftButton); });
        const double reloaded =
            UntilReloadedReady(page, [&] { page->triggerAction(QWebEnginePage::Reload); });
        if (saved < 0 || reloaded < 0 || !platform.errors.isEmpty()) {
            std::fprintf(stderr, "a Save or a reload did not end in a ready page\n");
            return 1;
        }
        saves.push_back(saved);
        reloads.push_back(reloaded);
    }
    const double save = Median(saves);
    const double reload = Median(reloads);
    std::printf("\nreal program, %d rounds (medians)\n", rounds);
    std::printf("Save click -> reloaded page ready:    %8.1f ms\n", save);
    std::printf("bare reload -> page ready (yardstick): %8.1f ms\n", reload);
    std::printf("ratio Save / bare reload:              %8.2f\n", save / reload);
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    const QTemporaryDir home;
    UseScratchWebStorage(home);
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 300;
    const int pageRounds = argc > 2 ? std::atoi(argv[2]) : 15;
    if (const int status = FakeHostFigures(rounds)) return status;
    return EndToEndFigures(pageRounds);
}
