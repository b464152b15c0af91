// How long a Save takes in the editor settings dialog, from the click to the rewritten web.ini
// and the page refresh started, on a copy of the shipped settings. The yardstick, measured in
// the same run and interleaved with it, is WriteUtf8File of the same bytes.
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "fake_host.h"
#include "settings_dialogs.h"
#include "utf8_file.h"

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
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 300;

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
