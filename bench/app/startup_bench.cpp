// Start-up cost of the editor against plain Jodit with the same options in the same program (only
// the page swapped), both on the program's web profile kept on disk, with 0, 1,000 and 10,000
// drafts in the store: time from
// process start to the first frame that shows the editor ready for typing (and, on the page's
// own clock, to its ready flag, set before that frame's style and layout are done), and the
// summed proportional memory (PSS) of the process tree once the page has settled. Runs the two
// alternately, several times each, and prints medians and ratios: the ratio of the medians, and
// the median of the paired ratios (each editor start against the plain start run beside it), which
// the machine's own drifts in speed (other work on it, its caches) move far less than the first.
//
//   app_startup_bench [repetitions] [program folder] [--profile]
//
// --profile adds, per store, where the time goes: each milestone of a start (the program's and
// the page's) as its median time since the process was started, for both.

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

struct Sample {
    double milliseconds = 0;  // to the first frame of the ready editor
    double readyFlag = 0;     // to window.corvelEditor.ready, on the page's clock
    double kilobytes = 0;
    QJsonArray profile;  // [name, ms since start]
};

// Reads one line from the probe, waiting at most a minute.
QByteArray readLine(QProcess& process) {
    while (!process.canReadLine() && process.waitForReadyRead(60000)) {
    }
    return process.readLine().trimmed();
}

bool runOnce(const QString& probe, const QString& folder, const QProcessEnvironment& env,
             Sample& sample) {
    QProcess process;
    QProcessEnvironment withStart = env;
    withStart.insert(QStringLiteral("CORVEL_BENCH_T0"),
                     QString::number(QDateTime::currentMSecsSinceEpoch()));
    process.setProcessEnvironment(withStart);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(probe, {QStringLiteral("shell"), folder});
    const QByteArray ready = readLine(process);
    sample.milliseconds = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    QByteArray line = readLine(process);
    if (line.startsWith("profile ")) {
        sample.profile = QJsonDocument::fromJson(line.mid(8)).array();
        for (const QJsonValue& entry : sample.profile)
            if (entry.toArray()[0].toString() == QLatin1String("corvel:ready"))
                sample.readyFlag = entry.toArray()[1].toDouble();
        line = readLine(process);
    }
    const QList<QByteArray> pss = line.split(' ');
    process.waitForFinished(30000);
    if (ready != "ready" || pss.size() != 2 || pss[0] != "pss") return false;
    sample.kilobytes = pss[1].toDouble();
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// `count` drafts in the store's folder, written as the store writes them (without its syncs).
bool fillStore(const QString& root, int count) {
    QDir(root).removeRecursively();
    for (int i = 0; i < count; ++i) {
        const QString id = QStringLiteral("bench-%1").arg(i, 5, 10, QLatin1Char('0'));
        if (!QDir().mkpath(root + u'/' + id)) return false;
        QFile html(root + u'/' + id + QStringLiteral("/article.html"));
        QFile meta(root + u'/' + id + QStringLiteral("/meta.json"));
        if (!html.open(QIODevice::WriteOnly) || !meta.open(QIODevice::WriteOnly)) return false;
        html.write(QStringLiteral("<p>　　第%1篇：本次发布会共推出三款新品。</p>").arg(i).toUtf8());
        const qint64 time = 1733540000000 + i * 60000LL;
        meta.write(QStringLiteral("{\"autoTitle\":\"第%1篇：新品发布会报道\",\"chars\":20,"
                                  "\"created\":%2,\"customTitle\":\"\",\"deleted\":0,"
                                  "\"id\":\"%3\",\"modified\":%2}\n")
                       .arg(i)
                       .arg(time)
                       .arg(id)
                       .toUtf8());
    }
    return true;
}

// Per milestone, its median time since start over the runs, in the order they come.
std::vector<std::pair<QString, double>> medianProfile(const std::vector<QJsonArray>& runs) {
    std::map<QString, std::vector<double>> times;
    for (const QJsonArray& run : runs)
        for (const QJsonValue& entry : run)
            times[entry.toArray()[0].toString()].push_back(entry.toArray()[1].toDouble());
    std::vector<std::pair<QString, double>> out;
    for (auto& [name, values] : times) out.emplace_back(name, median(values));
    std::sort(out.begin(), out.end(),
              [](const auto& a, const auto& b) { return a.second < b.second; });
    return out;
}

void printProfile(const std::vector<QJsonArray> (&runs)[2]) {
    const auto editor = medianProfile(runs[0]), bare = medianProfile(runs[1]);
    const std::map<QString, double> bareAt(bare.begin(), bare.end());
    std::printf(
        "        where the time goes (median ms since the process was started; "
        "corvel: marks are the page's own):\n");
    for (const auto& [name, ms] : editor) {
        const auto other = bareAt.find(name);
        if (other == bareAt.end())
            std::printf("          %-40s editor %6.0f\n", qPrintable(name), ms);
        else
            std::printf("          %-40s editor %6.0f   plain Jodit %6.0f\n", qPrintable(name), ms,
                        other->second);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    const bool profile = argc > 3 && QByteArray(argv[3]) == "--profile";
    // Absolute: the plain page is written to a scratch folder and names its scripts by it.
    const QString folder =
        QDir(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(CORVEL_APP_DIR))
            .absolutePath();
    const QString probe =
        QCoreApplication::applicationDirPath() + QStringLiteral("/app_startup_probe");

    // The probes keep their web storage in a scratch folder, never the user's.
    QTemporaryDir scratch;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), scratch.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), scratch.filePath(QStringLiteral("cache")));
    const QString store = scratch.filePath(QStringLiteral("data/corvel-editor/articles"));

    std::printf(
        "page: %s/index.html against plain Jodit with its options, both on a disk profile; "
        "%d runs each, alternating, medians; the editor's first start on each store (which "
        "builds the drafts' index) is not counted\n",
        qPrintable(folder), repetitions);
    // The yardstick: the same program, its page swapped for plain Jodit.
    const QString bareFolder = scratch.filePath(QStringLiteral("plain-jodit"));
    if (QProcess::execute(probe, {QStringLiteral("make-bare"), folder, bareFolder}) != 0) {
        std::fprintf(stderr, "could not write the plain Jodit program folder\n");
        return 1;
    }
    const QString folders[2] = {folder, bareFolder};
    const char* names[2] = {"editor", "plain Jodit"};
    for (const int drafts : {0, 1000, 10000}) {
        Sample warmUp;
        if (!fillStore(store, drafts) || !runOnce(probe, folder, env, warmUp)) {
            std::fprintf(stderr, "could not prepare %d drafts\n", drafts);
            return 1;
        }
        std::vector<double> ms[2], kb[2], flag[2], paired, pairedFlag;
        std::vector<QJsonArray> profiles[2];
        for (int rep = 0; rep < repetitions; ++rep) {
            for (int k = 0; k < 2; ++k) {
                const int m = (rep + k) % 2;  // alternate which one goes first
                Sample sample;
                if (!runOnce(probe, folders[m], env, sample)) {
                    std::fprintf(stderr, "%s probe did not get ready\n", names[m]);
                    return 1;
                }
                ms[m].push_back(sample.milliseconds);
                flag[m].push_back(sample.readyFlag);
                kb[m].push_back(sample.kilobytes);
                profiles[m].push_back(sample.profile);
            }
            paired.push_back(ms[0].back() / ms[1].back());
            pairedFlag.push_back(flag[0].back() / flag[1].back());
        }
        const double shellMs = median(ms[0]), bareMs = median(ms[1]);
        const double shellKb = median(kb[0]), bareKb = median(kb[1]);
        std::printf(
            "%5d drafts: start to the first frame of the ready editor: editor %.0f ms, plain "
            "Jodit %.0f ms, ratio %.3f, paired ratio %.3f (goal 1.1)\n",
            drafts, shellMs, bareMs, shellMs / bareMs, median(paired));
        const double shellFlag = median(flag[0]), bareFlag = median(flag[1]);
        std::printf(
            "%5d drafts: start to the ready flag (before that frame's layout): editor %.0f ms, "
            "plain Jodit %.0f ms, ratio %.3f, paired ratio %.3f\n",
            drafts, shellFlag, bareFlag, shellFlag / bareFlag, median(pairedFlag));
        std::printf(
            "%5d drafts: PSS of the process tree 1.5 s after ready: editor %.0f MB, plain Jodit "
            "%.0f MB, ratio %.3f\n",
            drafts, shellKb / 1024, bareKb / 1024, shellKb / bareKb);
        if (profile) printProfile(profiles);
    }
    return 0;
}
