// Start-up cost of the editor against plain Jodit with the same options in a bare QWebEngineView,
// both on a web profile kept on disk: time from process start to window.corvelEditor.ready (the
// editor can be typed in), and the summed resident memory of the process tree once the page has
// settled. Runs the two alternately, several times each, and prints medians and ratios.
//
//   app_startup_bench [repetitions] [program folder]

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Sample {
    double milliseconds = 0;
    double kilobytes = 0;
};

// Reads one line from the probe, waiting at most a minute.
QByteArray readLine(QProcess& process) {
    while (!process.canReadLine() && process.waitForReadyRead(60000)) {
    }
    return process.readLine().trimmed();
}

bool runOnce(const QString& probe, const QString& mode, const QString& folder,
             const QProcessEnvironment& env, Sample& sample) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(probe, {mode, folder});
    const QByteArray ready = readLine(process);
    sample.milliseconds = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const QList<QByteArray> rss = readLine(process).split(' ');
    process.waitForFinished(30000);
    if (ready != "ready" || rss.size() != 2 || rss[0] != "rss") return false;
    sample.kilobytes = rss[1].toDouble();
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    const QString folder =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(CORVEL_APP_DIR);
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

    const QString modes[2] = {QStringLiteral("shell"), QStringLiteral("bare")};
    std::vector<double> ms[2], kb[2];
    for (int rep = 0; rep < repetitions; ++rep) {
        for (int k = 0; k < 2; ++k) {
            const int m = (rep + k) % 2;  // alternate which one goes first
            Sample sample;
            if (!runOnce(probe, modes[m], folder, env, sample)) {
                std::fprintf(stderr, "%s probe did not get ready\n", qPrintable(modes[m]));
                return 1;
            }
            ms[m].push_back(sample.milliseconds);
            kb[m].push_back(sample.kilobytes);
        }
    }
    const double shellMs = median(ms[0]), bareMs = median(ms[1]);
    const double shellKb = median(kb[0]), bareKb = median(kb[1]);
    std::printf(
        "page: %s/index.html against plain Jodit with its options, both on a disk "
        "profile; %d runs each, medians\n",
        qPrintable(folder), repetitions);
    std::printf(
        "start to window.corvelEditor.ready: editor %.0f ms, plain Jodit %.0f ms, "
        "ratio %.3f\n",
        shellMs, bareMs, shellMs / bareMs);
    std::printf(
        "summed RSS of the process tree 1.5 s after ready (shared pages counted in each "
        "process): editor %.0f MB, plain Jodit %.0f MB, ratio %.3f\n",
        shellKb / 1024, bareKb / 1024, shellKb / bareKb);
    return 0;
}
