// One start of the program on a program folder, timed by app_startup_bench. Prints "ready" once
// window.corvelEditor.painted holds: the editor can be typed in and the first frame that shows
// it is drawn. Then, after the page has settled, "pss <kB>": the proportional memory of this
// process and all its descendants (the web engine's helpers) added up, so that pages shared
// between them count once in all. With CORVEL_BENCH_T0 set (the epoch milliseconds at which the
// bench started it) it prints, before the memory, "profile <JSON>": the milestones of this start
// as [name, milliseconds since then], from the program's side and the page's own timeline
// (navigation and the start-up marks).
//
//   app_startup_probe shell <program folder>
//   app_startup_probe make-bare <program folder> <new folder>
//
// make-bare writes the yardstick: the same program with only its page swapped, a copy of the
// folder's page and data files whose index.html is plain Jodit with the editor's options.

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "bas_main.h"
#include "editor_window.h"
#include "main_window.h"
#include "platform.h"
#include "probe_pages.h"
#include "url_schemes.h"

namespace {

constexpr int kSettleMs = 1500;

// The program's side of the profile: [name, epoch milliseconds].
QJsonArray& milestones() {
    static QJsonArray list;
    return list;
}

void milestone(const char* name) {
    milestones().append(QJsonArray{QString::fromLatin1(name),
                                   static_cast<double>(QDateTime::currentMSecsSinceEpoch())});
}

// The page's timeline in epoch milliseconds: navigation and the marks.
const char* kPageTimeline = R"((() => {
  const o = performance.timeOrigin, out = [];
  const at = (name, t) => { if (t > 0) out.push([name, o + t]); };
  const n = performance.getEntriesByType('navigation')[0];
  if (n) {
    at('page requested', n.fetchStart);
    at('page arrived', n.responseEnd);
    at('page parsed (DOMContentLoaded)', n.domContentLoadedEventStart);
  }
  for (const m of performance.getEntriesByType('mark')) at(m.name, m.startTime);
  return JSON.stringify(out);
})())";

// Prints "profile <JSON>" with every milestone as milliseconds since `t0`.
void printProfile(QWebEnginePage* page, double t0) {
    page->runJavaScript(QString::fromUtf8(kPageTimeline), [t0](const QVariant& timeline) {
        QJsonArray all = milestones();
        for (const QJsonValue& entry :
             QJsonDocument::fromJson(timeline.toString().toUtf8()).array())
            all.append(entry);
        QJsonArray relative;
        for (const QJsonValue& entry : all) {
            const QJsonArray pair = entry.toArray();
            relative.append(QJsonArray{pair[0], pair[1].toDouble() - t0});
        }
        std::printf("profile %s\n",
                    QJsonDocument(relative).toJson(QJsonDocument::Compact).constData());
        std::fflush(stdout);
    });
}

QByteArray procFile(qint64 pid, const char* name) {
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Proportional memory: each page shared by n processes counts 1/n in each, so the sum over
// the tree counts it once.
long long proportionalKilobytes(qint64 pid) {
    for (const QByteArray& line : procFile(pid, "smaps_rollup").split('\n')) {
        if (line.startsWith("Pss:")) return line.mid(4).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

// Proportional memory of this process and everything it started, added up.
long long treeProportionalKilobytes() {
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
        total += proportionalKilobytes(pid);
        const auto [first, last] = children.equal_range(pid);
        for (auto it = first; it != last; ++it) pending.push_back(it->second);
    }
    return total;
}

// Asks the page every few milliseconds whether the ready editor is drawn, one question at a time.
void pollUntilReady(QWebEnginePage* page) {
    QObject::connect(page, &QWebEnginePage::loadStarted, [] { milestone("load started"); });
    auto* timer = new QTimer(page);
    auto asking = std::make_shared<bool>(false);
    QObject::connect(timer, &QTimer::timeout, page, [page, timer, asking] {
        if (*asking) return;
        *asking = true;
        const QString drawn =
            QStringLiteral("!!(window.corvelEditor && window.corvelEditor.painted)");
        page->runJavaScript(drawn, [page, timer, asking](const QVariant& ready) {
            *asking = false;
            if (!ready.toBool() || !timer->isActive()) return;
            timer->stop();
            milestone("drawn, seen by the program");
            std::printf("ready\n");
            std::fflush(stdout);
            const QByteArray t0 = qgetenv("CORVEL_BENCH_T0");
            if (!t0.isEmpty()) printProfile(page, t0.toDouble());
            QTimer::singleShot(kSettleMs, [] {
                std::printf("pss %lld\n", treeProportionalKilobytes());
                std::fflush(stdout);
                QApplication::exit(0);
            });
        });
    });
    timer->start(2);
}

}  // namespace

// The program folder's page and data files (not its programs), with the plain page as index.html.
bool makeBareProgram(const QString& folder, const QString& target) {
    const QDir source(QDir(folder).absolutePath());
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        if (file.isDir()) continue;
        const QString relative = source.relativeFilePath(file.absoluteFilePath());
        const bool page = relative.startsWith(QLatin1String("editor/"));
        if (!page && (relative.contains(u'/') || file.isExecutable())) continue;
        const QString copy = QDir(target).filePath(relative);
        if (!QDir().mkpath(QFileInfo(copy).path())) return false;
        if (relative != QLatin1String("index.html") && !QFile::copy(file.filePath(), copy))
            return false;
    }
    QFile html(QDir(target).filePath(QStringLiteral("index.html")));
    return html.open(QIODevice::WriteOnly) &&
           html.write(barePage(QDir(target).absolutePath()).toUtf8()) > 0;
}

int main(int argc, char** argv) {
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "make-bare" && argc > 3)
        return makeBareProgram(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    if (mode != "shell" || argc < 3) {
        std::fprintf(stderr, "usage: %s shell <program folder> | make-bare <program folder> <new folder>\n", argv[0]);
        return 2;
    }
    milestone("main");
    const QString folder = QString::fromLocal8Bit(argv[2]);
    registerProgramSchemes();
    QApplication app(argc, argv);
    milestone("QApplication");

    QuietPlatform platform;
    const std::unique_ptr<Program> program = Program::start(folder.toStdString(), platform);
    if (!program) return 1;
    QWebEnginePage* page = program->mainWindow()->editor()->browser()->page();
    milestone("window and page made");
    pollUntilReady(page);
    return QApplication::exec();
}
