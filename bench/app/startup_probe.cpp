// One start of the editor, timed by app_startup_bench: either the whole program ("shell") or a
// bare QWebEngineView on the same page ("bare"). Prints "loaded <peak kB>" when the page has
// loaded, then exits. The peak is the sum of VmHWM over this process and its descendants (the
// web engine's helper processes).

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QWebEngineView>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "article_setup.h"
#include "bas_main.h"
#include "editor_window.h"
#include "main_window.h"
#include "platform.h"

namespace {

class QuietPlatform final : public Platform {
public:
    void openUrl(const QUrl&) override {}
    bool startTool(const QString&) override { return false; }
    bool hasTool(const QString&) const override { return false; }
    void showError(QWidget*, const QString& text) override {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
    bool confirm(QWidget*, const QString&) override { return false; }
    DialogHost::Choice askSaveDiscardStay(QWidget*, const QString&) override {
        return DialogHost::Choice::Stay;
    }
};

QByteArray procFile(qint64 pid, const char* name) {
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

long long peakKilobytes(qint64 pid) {
    for (const QByteArray& line : procFile(pid, "status").split('\n')) {
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

// Peak resident memory of this process and everything it started.
long long treePeakKilobytes() {
    std::multimap<qint64, qint64> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid) continue;
        const QByteArray stat = procFile(pid, "stat");
        const auto fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1) children.emplace(fields[1].toLongLong(), pid);
    }
    long long total = 0;
    std::vector<qint64> pending{QCoreApplication::applicationPid()};
    while (!pending.empty()) {
        const qint64 pid = pending.back();
        pending.pop_back();
        total += peakKilobytes(pid);
        const auto [first, last] = children.equal_range(pid);
        for (auto it = first; it != last; ++it) pending.push_back(it->second);
    }
    return total;
}

void reportAndQuit(bool ok) {
    std::printf("%s %lld\n", ok ? "loaded" : "failed", treePeakKilobytes());
    std::fflush(stdout);
    QTimer::singleShot(0, qApp, [ok] { QApplication::exit(ok ? 0 : 1); });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s shell|bare <program folder>\n", argv[0]);
        return 2;
    }
    const bool shell = QByteArray(argv[1]) == "shell";
    const std::string folder = argv[2];
    registerArticleScheme();
    QApplication app(argc, argv);

    QuietPlatform platform;
    std::unique_ptr<Program> program;
    std::unique_ptr<QWebEngineView> bare;
    QWebEngineView* view = nullptr;
    if (shell) {
        program = Program::start(folder, platform);
        if (!program) return 1;
        view = program->mainWindow()->editor()->browser();
    } else {
        bare = std::make_unique<QWebEngineView>();
        view = bare.get();
        view->resize(634, 457);
        view->setUrl(
            QUrl::fromLocalFile(QString::fromStdString(folder) + QStringLiteral("/index.html")));
        view->show();
    }
    QObject::connect(view, &QWebEngineView::loadFinished, &reportAndQuit);
    const int status = QApplication::exec();
    bare.reset();
    program.reset();
    return status;
}
